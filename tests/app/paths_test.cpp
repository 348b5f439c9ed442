#include "app/paths.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace thisapp {
namespace {

const std::wstring kLongFolder = L"/" + std::wstring(300, L'f') + L"/";
const std::wstring kLongName = std::wstring(300, L'n') + L".txt";

struct Case {
  std::wstring (*function)(const std::wstring&);
  std::wstring in, out;
};

TEST(Paths, OneArgumentOperations) {
  const std::vector<Case> cases = {
      {GetFolderPath, L"/data/in.txt", L"/data/"},
      {GetFolderPath, L"/in.txt", L"/"},
      {GetFolderPath, L"in.txt", L""},
      {GetFolderPath, L"..\\in.txt", L""},  // '\' is part of a name here
      {GetFolderPath, kLongFolder + kLongName, kLongFolder},
      {GetFolderPath, L"", L""},
      {GetFileName, L"/data/in.txt", L"in.txt"},
      {GetFileName, L"/data/in.", L"in."},
      {GetFileName, L"/data/", L""},
      {GetFileName, kLongFolder + kLongName, kLongName},
      {GetFileName, L"", L""},
      {GetParentPath, L"/data/in.txt", L"/data/"},
      {GetParentPath, L"/data/sub/", L"/data/"},
      {GetParentPath, L"/data/sub/ ", L"/data/"},
      {GetParentPath, L"/data/sub/ /", L"/data/"},
      {GetParentPath, L"/a//b", L"/a/"},
      {GetParentPath, L"/in.txt", L"/"},
      {GetParentPath, L"/", L""},
      {GetParentPath, L"in.txt", L""},
      {GetParentPath, L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.function(c.in), c.out) << c.in;
}

TEST(Paths, SplitPathAndAbsolutePaths) {
  std::wstring folder, name, extension;
  ASSERT_TRUE(SplitPath(L"/da.ta/archive.tar.gz", folder, name, extension));
  EXPECT_EQ(folder + L"|" + name + L"|" + extension, L"/da.ta/|archive.tar|gz");
  ASSERT_TRUE(SplitPath(L".profile", folder, name, extension));
  EXPECT_EQ(folder + L"|" + name + L"|" + extension, L"||profile");
  EXPECT_FALSE(SplitPath(nullptr, folder, name, extension));
  EXPECT_FALSE(SplitPath(L"", folder, name, extension));
  EXPECT_EQ(name, L"");  // untouched by the failures

  for (const std::wstring path : {L"/x", L"//x", L"/../x"}) EXPECT_TRUE(IsAbsolutePath(path));
  for (const std::wstring path : {L"", L"x/y", L"../x", L"\\x", L"D:/x"}) {
    EXPECT_FALSE(IsAbsolutePath(path)) << path;
  }
}

TEST(Paths, JoinPathPutsExactlyOneSeparatorBetween) {
  const std::vector<std::vector<std::wstring>> cases = {
      {L"/data", L"in.txt", L"/data/in.txt"}, {L"/data//", L"//in.txt", L"/data/in.txt"},
      {L"/", L"in.txt", L"/in.txt"},          {L"", L"/in.txt", L"in.txt"},
      {L"/data", L"", L"/data/"},             {L"", L"", L""},
  };
  for (const auto& c : cases) {
    std::wstring path = c[0];
    EXPECT_EQ(JoinPath(path, c[1]), c[2]) << c[0] << L" + " << c[1];
  }
}

TEST(Paths, DefaultOutputAppendsTheSuffixToTheWholeName) {
  EXPECT_EQ(MakeDefaultOutputPath(true, L"/data/in.txt"), L"/data/in.txt.enc");
  EXPECT_EQ(MakeDefaultOutputPath(false, L"/data/in.txt.enc"), L"/data/in.txt.enc.dec");
  EXPECT_EQ(MakeDefaultOutputPath(true, L"/in.txt"), L"/in.txt.enc");
  // A name of blanks only keeps its own folder.
  EXPECT_EQ(MakeDefaultOutputPath(true, L"/data/ "), L"/data/ .enc");
  EXPECT_EQ(MakeDefaultOutputPath(false, L""), L"");
}

TEST(Paths, MakeFullPathJoinsRelativePathsToTheBase) {
  const std::vector<std::vector<std::wstring>> cases = {
      {L"/tools/app/", L"", L""},
      {L"/tools/app/", L"/data/../in.txt", L"/data/../in.txt"},  // absolute: as written
      {L"/tools/app/", L"sub/in.txt", L"/tools/app/sub/in.txt"},
      {L"/tools/app", L"./in.txt", L"/tools/app/in.txt"},
      {L"/tools/app/", L"../../../in.txt", L"/in.txt"},
      {L"/tools/app/", L"a//b/./c/", L"/tools/app/a/b/c/"},
      {L"/tools/app/", kLongName, L"/tools/app/" + kLongName},
  };
  for (const auto& c : cases) EXPECT_EQ(MakeFullPath(c[0], c[1]), c[2]) << c[1];
  EXPECT_EQ(MakeFullPath(L"", L"sub/in.txt"),
            std::filesystem::current_path().wstring() + L"/sub/in.txt");
}

TEST(Paths, ResolvePathClimbsFromTheProgramFolder) {
  // The test program's folder, found without the code under test.
  const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe");
  const std::wstring folder = self.parent_path().wstring() + L"/";
  const std::wstring parent =
      self.parent_path().parent_path() == "/" ? L"/" : self.parent_path().parent_path().wstring() + L"/";
  std::wstring toRoot;
  // One step per folder level: "/", then the folders, then the file name.
  for (auto n = std::distance(self.begin(), self.end()); n > 2; --n) toRoot += L"../";
  ASSERT_EQ(GetModuleFolder(), folder);

  EXPECT_EQ(ResolvePath(L""), L"");
  EXPECT_EQ(ResolvePath(L"no-such.txt"), folder + L"no-such.txt");
  EXPECT_EQ(ResolvePath(L"../no-such.txt"), parent + L"no-such.txt");
  EXPECT_EQ(ResolvePath(L"../x/no-such.txt"), parent + L"x/no-such.txt");
  EXPECT_EQ(ResolvePath(toRoot + L"no-such.txt"), L"/no-such.txt");
  // Above the root: left to MakeFullPath, which stops there.
  const std::wstring tooHigh = L"../" + toRoot + L"no-such.txt";
  EXPECT_EQ(ResolvePath(tooHigh), tooHigh);
  EXPECT_EQ(MakeFullPath(folder, tooHigh), L"/no-such.txt");
  // Folder parts, long ones too, are left to MakeFullPath.
  for (const auto& path :
       std::vector<std::wstring>{L"sub/no-such", L"./no-such", L"/no-such", kLongFolder.substr(1)}) {
    EXPECT_EQ(ResolvePath(path), path);
  }
}

}  // namespace
}  // namespace thisapp
