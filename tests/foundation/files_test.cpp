#include "foundation/platform/platform.h"

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

// Links are followed, or taken as what they are; ".." is textual.
TEST_F(FileSystem, KindsTellFilesFoldersAndNothing) {
  using K = PathKind;
  fs::create_directory(dir_ / "folder/inner");
  fs::create_symlink(dir_ / "folder/inner", dir_ / "link-to-inner");
  const struct {
    std::string name;
    PathKind followed, entry;
  } cases[] = {
      {"file", K::kFile, K::kFile},           {"fifo", K::kFile, K::kFile},
      {"link-to-file", K::kFile, K::kFile},   {"link-to-folder", K::kFolder, K::kFile},
      {"dangling", K::kNothing, K::kFile},    {"folder", K::kFolder, K::kFolder},
      {"missing", K::kNothing, K::kNothing},  {"file/x", K::kNothing, K::kNothing},
      {"missing/../file", K::kFile, K::kFile}, {"link-to-inner/../file", K::kFile, K::kFile},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetPathKind(At(c.name)), c.followed) << c.name;
    EXPECT_EQ(GetEntryKind(At(c.name)), c.entry) << c.name;
  }
  EXPECT_EQ(GetPathKind(L""), K::kNothing);
  EXPECT_EQ(GetPathKind(std::wstring(1, static_cast<wchar_t>(0x110000))), K::kNothing);
  EXPECT_TRUE(IsSameFile(At("link-to-file"), At("missing/../file")));
  EXPECT_FALSE(IsSameFile(At("dangling"), At("dangling")));

  EXPECT_EQ(CreateDirectories(At("missing/../made/deep/")), 0);
  EXPECT_TRUE(fs::is_directory(dir_ / "made/deep"));
  EXPECT_FALSE(qmtest::FileExists(dir_ / "missing"));
}

TEST_F(FileSystem, RemoveTakesFilesAndLinksButNothingElse) {
  EXPECT_EQ(RemoveFile(At("link-to-file")), 0);
  EXPECT_EQ(RemoveFile(At("link-to-folder")), 0);
  EXPECT_EQ(RemoveFile(At("dangling")), 0);
  EXPECT_EQ(qmtest::ReadFile(dir_ / "file"), "data");  // link targets stay
  EXPECT_TRUE(fs::is_directory(dir_ / "folder"));
  EXPECT_EQ(RemoveFile(At("file")), 0);
  EXPECT_FALSE(qmtest::FileExists(dir_ / "file"));

  // Tidied first: this is the folder, not a file inside a missing one.
  EXPECT_EQ(RemoveFile(At("missing/../folder")), EISDIR);
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
