#include "app/existing_output.h"

#include "app/err_msg.h"
#include "foundation/gen/result.h"
#include "foundation/platform/console.h"
#include "foundation/platform/filesystem.h"
#include "foundation/platform/strings.h"

namespace thisapp {

namespace platform = tarnwick::platform;

bool IsInputItself(const std::wstring& inputPath, const std::wstring& outputPath) {
  return platform::CompareNoCase(inputPath, outputPath) == 0 ||
         platform::IsSameFile(inputPath, outputPath);
}

bool DeleteExistingOutput(const std::wstring& outputPath, const wchar_t* failureLead) {
  const int error = platform::RemoveFile(outputPath);
  if (error != 0) {
    const tarnwick::gen::Result failure{tarnwick::gen::kKindSystem, static_cast<uint32_t>(error)};
    platform::WideOut() << failureLead << outputPath << L". Error: "
                        << CErrMsg().GetErrorText(failure) << L".\r\n";
    return false;
  }
  platform::WideOut() << L"Already existing file has been deleted. File path: " << outputPath
                      << L".\r\n";
  return true;
}

}  // namespace thisapp
