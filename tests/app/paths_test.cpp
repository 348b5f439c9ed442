#include "app/paths.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace thisapp {
namespace {

TEST(Paths, FolderAndParent) {
  EXPECT_EQ(GetFolderPath(L"..\\in.txt"), L"");  // '\' is part of a name here
  EXPECT_EQ(GetParentPath(L"/data/sub/"), L"/data/");
  EXPECT_EQ(GetParentPath(L"/data/sub/ /"), L"/data/");
  std::wstring folder, name, extension;
  ASSERT_TRUE(SplitPath(L"/a.b/in", folder, name, extension));  // a dot in a folder is no extension
  EXPECT_EQ(folder + L"|" + name + L"|" + extension, L"/a.b/|in|");
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
  EXPECT_EQ(MakeDefaultOutputPath(false, L"/data/in.txt.enc"), L"/data/in.txt.enc.dec");
  // A name of blanks only keeps its own folder.
  EXPECT_EQ(MakeDefaultOutputPath(true, L"/data/ "), L"/data/ .enc");
}

TEST(Paths, ResolvePathClimbsFromTheProgramFolder) {
  // The test program's folder, found without the code under test.
  const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe");
  const std::wstring folder = self.parent_path().wstring() + L"/";
  const std::filesystem::path up = self.parent_path().parent_path();
  const std::wstring parent = up == "/" ? L"/" : up.wstring() + L"/";
  std::wstring toRoot;
  // One step per folder level: "/", then the folders, then the file name.
  for (auto n = std::distance(self.begin(), self.end()); n > 2; --n) toRoot += L"../";
  ASSERT_EQ(GetModuleFolder(), folder);

  EXPECT_EQ(ResolvePath(L"no-such.txt"), folder + L"no-such.txt");
  // A file standing where the process works is taken as given.
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path("/proc/self");
  EXPECT_EQ(ResolvePath(L"exe"), L"exe");
  std::filesystem::current_path(here);
  EXPECT_EQ(ResolvePath(L"../x/no-such.txt"), parent + L"x/no-such.txt");
  EXPECT_EQ(ResolvePath(toRoot + L"no-such.txt"), L"/no-such.txt");
  // Above the root: left to MakeFullPath, which stops there.
  const std::wstring tooHigh = L"../" + toRoot + L"no-such.txt";
  EXPECT_EQ(ResolvePath(tooHigh), tooHigh);
  EXPECT_EQ(MakeFullPath(folder, tooHigh), L"/no-such.txt");
}

}  // namespace
}  // namespace thisapp
