#pragma once

#include <string>

namespace thisapp {

// The output is the input under its own name, another spelling of it
// (letter case, "." and ".." steps) or another link to it: deleting it
// would lose the input.
bool IsInputItself(const std::wstring& inputPath, const std::wstring& outputPath);

// Something other than a folder stands at the output path. A link there is
// an existing output whatever it points to: it is never written through.
bool IsExistingOutput(const std::wstring& outputPath);

// Deletes an existing output and tells so, or tells why not with
// `failureLead` in front of the path; true when it is gone.
bool DeleteExistingOutput(const std::wstring& outputPath, const wchar_t* failureLead);

}  // namespace thisapp
