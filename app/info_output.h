#pragma once

namespace thisapp {

// The texts printed before any job: the banner at every start, the usage
// text and the list of algorithms, all on std::cout.
void PrintBanner();
void PrintHelp();
void PrintAlgorithmList();

}  // namespace thisapp
