#include <errno.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/err/codes.h"
#include "foundation/io/file_streams.h"
#include "foundation/platform/platform.h"
#include "tests/support/run_program.h"

namespace tarnwick::io::internal {
namespace {

using gen::Result;

std::wstring Wide(const std::string& path) { return platform::DecodeSystemText(path); }
const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

using qmtest::Pattern;

class StreamFile : public ::testing::Test {
 protected:
  // A file with `bytes`, opened for reading.
  void OpenInput(const std::string& bytes) {
    qmtest::WriteFile(dir_ / "in", bytes);
    ASSERT_EQ(input_.Open(Wide(dir_ / "in").c_str()), (Result{0, 0}));
  }

  qmtest::TempDir dir_;
  IStreamFile<wchar_t> input_;
  OStreamFile<wchar_t> output_;
  uint8_t buffer_[4096];
  uint32_t read_ = 99;
};

// The end shows as false with no error; a second Open is refused and
// leaves the first file open.
TEST_F(StreamFile, ReadsTheWholeFileInChunksThenEnds) {
  OpenInput(Pattern(10000));
  EXPECT_EQ(input_.Open(Wide(dir_ / "in").c_str()), (Result{5, err::kCodeAlreadyOpen}));
  EXPECT_EQ(input_.GetSize(), 10000);
  std::string got;
  while (input_.Read(buffer_, sizeof buffer_, read_)) got.append(buffer_, buffer_ + read_);
  EXPECT_EQ(got, Pattern(10000));
  EXPECT_EQ(read_, 10000u % 4096);  // the failed read changed nothing
  EXPECT_EQ(input_.GetLastError(), (Result{0, 0}));
  uint8_t byte = 7;
  EXPECT_FALSE(input_.ReadByte(byte));
  EXPECT_EQ(byte, 7);
}

TEST_F(StreamFile, InputMustBeAnExistingRegularFile) {
  EXPECT_EQ(input_.Open(Wide(dir_ / "missing").c_str()), (Result{1, ENOENT}));
  EXPECT_EQ(input_.Open(Wide(dir_.path()).c_str()), (Result{1, EISDIR}));
  // Without a writer, a blocking open of a FIFO would never return.
  ASSERT_EQ(mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  EXPECT_EQ(input_.Open(Wide(dir_ / "fifo").c_str()), (Result{1, EINVAL}));
}

// A file cut short after Open fails the read that meets its new end; the
// bytes that read took are no longer at the start. The file gets
// descriptor 0, which still counts as open.
TEST_F(StreamFile, AReadThatMeetsAnEarlyEndFailsAndMovesOn) {
  const int saved = dup(0);
  ASSERT_GE(saved, 0);
  close(0);
  OpenInput(Pattern(100));
  ASSERT_EQ(truncate((dir_ / "in").c_str(), 40), 0);
  EXPECT_FALSE(input_.Read(buffer_, 100, read_));
  EXPECT_EQ(input_.GetLastError(), (Result{1, EIO}));
  EXPECT_FALSE(input_.IsBegin());
  input_.Close();
  dup2(saved, 0);
  close(saved);
}

// The size and the position are 64-bit. The file lives in memory (memfd):
// its holes read as zeros at no cost, where on a disk they would fill the
// page cache with 4 GiB of zero pages.
TEST_F(StreamFile, SizeAndPositionHoldPast4GiB) {
  const long long size = (1ll << 32) + 100;
  const int fd = memfd_create("past4gib", MFD_CLOEXEC);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, size), 0);
  ASSERT_EQ(input_.Open(Wide("/proc/self/fd/" + std::to_string(fd)).c_str()), (Result{0, 0}));
  EXPECT_EQ(input_.GetSize(), size);
  std::vector<uint8_t> buffer(1 << 20);
  long long total = 0;
  while (input_.Read(buffer.data(), static_cast<int32_t>(buffer.size()), read_) && read_ > 0) {
    total += read_;
  }
  EXPECT_EQ(total, size);
  EXPECT_EQ(input_.GetLastError(), (Result{0, 0}));
  EXPECT_TRUE(input_.IsEnd());
  input_.Close();
  close(fd);
}

// Open keeps what the file held; OpenNew opens only a file it makes
// itself: whatever stands at the path stays as it was, and the open never
// blocks on a FIFO. New files are the owner's alone.
TEST_F(StreamFile, OutputsAppendAndNewOnesRefuseWhatStandsAtThePath) {
  qmtest::WriteFile(dir_ / "file", "old;");
  ASSERT_EQ(symlink((dir_ / "planted").c_str(), (dir_ / "dangling").c_str()), 0);
  ASSERT_EQ(mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  for (const char* name : {"file", "dangling", "fifo"}) {
    OStreamFile<wchar_t> out;
    EXPECT_EQ(out.OpenNew(Wide(dir_ / name).c_str()), (Result{1, EEXIST})) << name;
  }
  EXPECT_EQ(output_.OpenNew(Wide(dir_.path()).c_str()), (Result{1, EISDIR}));

  ASSERT_EQ(output_.OpenNew(Wide(dir_ / "new").c_str()), (Result{0, 0}));
  EXPECT_EQ(output_.Write(Bytes("new"), 3), 3u);
  struct stat st;
  ASSERT_EQ(lstat((dir_ / "new").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_EQ(qmtest::ReadFile(dir_ / "new"), "new");

  OStreamFile<wchar_t> old;
  ASSERT_EQ(old.Open(Wide(dir_ / "file").c_str()), (Result{0, 0}));
  EXPECT_EQ(old.Write(Bytes("new"), 3), 3u);
  EXPECT_EQ(qmtest::ReadFile(dir_ / "file"), "old;new");
}

}  // namespace
}  // namespace tarnwick::io::internal
