#pragma once

// The program's entry, called by main with the converted arguments; its
// answer is the process exit code (0 to 7).
int wmain(int argc, wchar_t* argv[]);
