#include "foundation/platform/filesystem.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/run_program.h"

namespace tarnwick::platform {
namespace {

namespace fs = std::filesystem;

class FileSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    qmtest::WriteFile(dir_ / "file", "data");
    fs::create_directory(dir_ / "folder");
    fs::create_symlink(dir_ / "file", dir_ / "link-to-file");
    fs::create_symlink(dir_ / "folder", dir_ / "link-to-folder");
    fs::create_symlink(dir_ / "missing", dir_ / "dangling");
    ASSERT_EQ(mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  }
  std::wstring At(const std::string& name) const { return fs::path(dir_ / name).wstring(); }

  qmtest::TempDir dir_;
};

TEST_F(FileSystem, AttributesTellFilesFoldersAndNothing) {
  const std::vector<std::pair<std::string, uint32_t>> cases = {
      {"file", kAttrNormal},   {"link-to-file", kAttrNormal}, {"fifo", kAttrNormal},
      {"folder", kAttrFolder}, {"link-to-folder", kAttrFolder}, {"dangling", kAttrInvalid},
      {"missing", kAttrInvalid}, {"file/x", kAttrInvalid},
  };
  for (const auto& [name, attributes] : cases) {
    EXPECT_EQ(GetPathAttributes(At(name)), attributes) << name;
  }
  EXPECT_EQ(GetPathAttributes(L""), kAttrInvalid);
  EXPECT_EQ(GetPathAttributes(std::wstring(1, static_cast<wchar_t>(0x110000))), kAttrInvalid);
}

TEST_F(FileSystem, RemoveTakesFilesAndLinksButNothingElse) {
  EXPECT_EQ(RemoveFile(At("link-to-file")), 0);
  EXPECT_EQ(RemoveFile(At("link-to-folder")), 0);
  EXPECT_EQ(RemoveFile(At("dangling")), 0);
  EXPECT_EQ(qmtest::ReadFile(dir_ / "file"), "data");  // link targets stay
  EXPECT_TRUE(fs::is_directory(dir_ / "folder"));
  EXPECT_EQ(RemoveFile(At("file")), 0);
  EXPECT_FALSE(qmtest::FileExists(dir_ / "file"));

  EXPECT_EQ(RemoveFile(At("folder")), EISDIR);
  EXPECT_NE(RemoveFile(At("fifo")), 0);
  EXPECT_EQ(RemoveFile(At("missing")), ENOENT);
  EXPECT_NE(RemoveFile(L""), 0);
  // A device node, made here when allowed (as root), so a fault cannot hit
  // a real one.
  if (mknod((dir_ / "null").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) {
    EXPECT_NE(RemoveFile(At("null")), 0);
    EXPECT_TRUE(qmtest::FileExists(dir_ / "null"));
  }
  EXPECT_TRUE(qmtest::FileExists(dir_ / "fifo"));
}

TEST(FullPath, NormalisesWithoutTouchingTheDisk) {
  const std::wstring here = fs::current_path().wstring();
  const std::vector<std::pair<std::wstring, std::wstring>> cases = {
      {L"/a/b/../c", L"/a/c"}, {L"/a/./b//c", L"/a/b/c"}, {L"/a/b/", L"/a/b/"},
      {L"/a/b/.", L"/a/b"},    {L"/../../x", L"/x"},      {L"//", L"/"},
      {L"/a\\..\\b", L"/a\\..\\b"}, {L"", L""},
      {L"x.txt", here + L"/x.txt"}, {L"./sub/", here + L"/sub/"},
      // Lexical: none of these folders needs to exist.
      {L"no/such/../../x", here + L"/x"},
  };
  for (const auto& [path, full] : cases) EXPECT_EQ(GetFullPath(path), full) << path;
}

}  // namespace
}  // namespace tarnwick::platform
