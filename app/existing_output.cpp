#include "app/existing_output.h"

#include "app/err_msg.h"
#include "foundation/gen/result.h"
#include "foundation/platform/platform.h"

namespace thisapp {

namespace platform = tarnwick::platform;

bool IsInputItself(const std::wstring& inputPath, const std::wstring& outputPath) {
  return platform::CompareNoCase(platform::GetFullPath(inputPath),
                                 platform::GetFullPath(outputPath)) == 0 ||
         platform::IsSameFile(inputPath, outputPath);
}

bool IsExistingOutput(const std::wstring& outputPath) {
  return platform::GetEntryKind(outputPath) == platform::PathKind::kFile;
}

bool DeleteExistingOutput(const std::wstring& outputPath, const wchar_t* failureLead) {
  const int error = platform::RemoveFile(outputPath);
  if (error != 0) {
    platform::WideOut() << failureLead << outputPath << L". Error: "
                        << CErrMsg().GetErrorText(tarnwick::gen::SystemError(error)) << L".\r\n";
    return false;
  }
  platform::WideOut() << L"Already existing file has been deleted. File path: " << outputPath
                      << L".\r\n";
  return true;
}

}  // namespace thisapp
