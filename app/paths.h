#pragma once

#include <string>

namespace thisapp {

// Path syntax lives here alone. '/' is the one separator; the empty text
// stands for no path. No operation fails loudly: a failure is an empty
// result (SplitPath: false).

// Splits a path into its folder part (up to and including the last '/'),
// its name and its extension (after the last '.' of the last component,
// without the dot). False for a null or empty path; the outputs are
// written only on success.
bool SplitPath(const wchar_t* path, std::wstring& folder, std::wstring& name,
               std::wstring& extension);

// "/data/in.txt" -> "/data/"; "in.txt" -> "".
std::wstring GetFolderPath(const std::wstring& path);

// The last component as written: "/data/in.txt" -> "in.txt"; "/data/" -> "".
std::wstring GetFileName(const std::wstring& path);

// The textual parent folder, ending in '/': "/data/sub/" -> "/data/",
// "/in.txt" -> "/"; empty for "/" and for a bare name. White space at the
// end, or a component of white space only, counts as not there.
std::wstring GetParentPath(const std::wstring& path);

// Appends tail to path with exactly one '/' between them (none when path
// is empty) and answers path.
std::wstring& JoinPath(std::wstring& path, const std::wstring& tail);

std::wstring GetModuleFilePath();
// Folder of the program file, ending in '/'.
std::wstring GetModuleFolder();

// The input path with ".enc" (encrypt) or ".dec" appended to its name.
std::wstring MakeDefaultOutputPath(bool encrypt, const std::wstring& inputPath);

// A bare name, or a path starting with "../" steps, resolved against the
// program folder; an existing file and every other path unchanged.
std::wstring ResolvePath(const std::wstring& path);

bool IsAbsolutePath(const std::wstring& path);

// A relative path joined to baseFolder and normalised; an empty or
// absolute path unchanged.
std::wstring MakeFullPath(const std::wstring& baseFolder, const std::wstring& path);

}  // namespace thisapp
