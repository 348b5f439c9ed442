// Both jobs over an input past 4 GiB, with nothing of that size in memory
// or on disk: the plaintext is a function of its offset, the encryption
// writes into a small pipe, a decryption on this thread reads from it, and
// its output is checked against the function as it comes. A size, count or
// offset held in 32 bits loses or misplaces bytes.
#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "crypto/symmetric_decryptor.h"
#include "crypto/symmetric_encryptor.h"
#include "cryptopp/factory.h"

namespace {

using tarnwick::gen::Result;
using tarnwick::gen::Result2;
using InStream = tarnwick::io::internal::IIStream<char>;
using OutStream = tarnwick::io::internal::IOStream<char>;

// 4 GiB + 32 KiB + 100: even the encrypted bytes behind the first chunk
// are more than 32 bits hold. AES-128 runs on AES-NI, and as a block
// cipher it has a zero fill (4 bytes) to write and to leave out.
constexpr uint32_t kAes128 = 250;
constexpr uint64_t kPlainSize = (uint64_t{1} << 32) + 32768 + 100;
constexpr uint64_t kFileSize = (56 + kPlainSize + 15) / 16 * 16;

// The plaintext: each aligned 8-byte word holds its own index, so a byte
// lost, doubled or moved shows, and nothing repeats at 4 GiB.
uint8_t PlainByte(uint64_t offset) {
  const uint64_t word = offset / 8;
  uint8_t bytes[8];
  std::memcpy(bytes, &word, 8);
  return bytes[offset % 8];
}

void Plain(uint64_t offset, uint8_t* out, size_t length) {
  size_t i = 0;
  for (; i < length && (offset + i) % 8 != 0; ++i) out[i] = PlainByte(offset + i);
  for (; length - i >= 8; i += 8) {
    const uint64_t word = (offset + i) / 8;
    std::memcpy(out + i, &word, 8);
  }
  for (; i < length; ++i) out[i] = PlainByte(offset + i);
}

class PlainInput : public InStream {
 public:
  bool IsBegin() override { return done_ == 0; }
  bool IsEnd() override { return done_ >= kPlainSize; }
  bool Read(uint8_t* buffer, int32_t length, uint32_t& read) override {
    if (length < 1) {
      read = 0;
      return true;
    }
    if (IsEnd()) return false;
    read = static_cast<uint32_t>(std::min<uint64_t>(length, kPlainSize - done_));
    Plain(done_, buffer, read);
    done_ += read;
    return true;
  }
  bool ReadByte(uint8_t& byte) override {
    uint32_t read = 0;
    return Read(&byte, 1, read) && read == 1;
  }
  int64_t GetSize() override { return static_cast<int64_t>(kPlainSize); }
  Result GetLastError() override { return {}; }

 private:
  uint64_t done_ = 0;
};

// A few writes deep; the end of either side wakes the other, so a job
// that stops early never leaves the other one waiting.
class Pipe {
 public:
  // False once the reader has gone.
  bool Put(const uint8_t* bytes, size_t length) {
    std::string chunk(reinterpret_cast<const char*>(bytes), length);
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return chunks_.size() < 8 || readerGone_; });
    if (readerGone_) return false;
    chunks_.push_back(std::move(chunk));
    changed_.notify_all();
    return true;
  }
  // At least one byte; 0 once the writer has gone and everything is taken.
  size_t Take(uint8_t* bytes, size_t length) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return !chunks_.empty() || writerGone_; });
    if (chunks_.empty()) return 0;
    const std::string& front = chunks_.front();
    const size_t n = std::min(length, front.size() - taken_);
    std::memcpy(bytes, front.data() + taken_, n);
    taken_ += n;
    if (taken_ == front.size()) {
      chunks_.pop_front();
      taken_ = 0;
      changed_.notify_all();
    }
    return n;
  }
  void WriterGone() { Set(writerGone_); }
  void ReaderGone() { Set(readerGone_); }

 private:
  void Set(bool& flag) {
    std::lock_guard<std::mutex> lock(mutex_);
    flag = true;
    changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> chunks_;
  size_t taken_ = 0;
  bool writerGone_ = false, readerGone_ = false;
};

class PipeOutput : public OutStream {
 public:
  explicit PipeOutput(Pipe& pipe) : pipe_(pipe) {}
  uint32_t Write(const uint8_t* buffer, int32_t length) override {
    if (length < 1) return 0;
    if (!pipe_.Put(buffer, static_cast<size_t>(length))) {
      error_ = tarnwick::gen::SystemError(EPIPE);
      return 0;
    }
    written += static_cast<uint64_t>(length);
    return static_cast<uint32_t>(length);
  }
  uint32_t WriteByte(uint8_t byte) override { return Write(&byte, 1); }
  Result GetLastError() override { return error_; }

  uint64_t written = 0;

 private:
  Pipe& pipe_;
  Result error_;
};

// Answers the size the encrypted file must have; ends where the writer did.
class PipeInput : public InStream {
 public:
  explicit PipeInput(Pipe& pipe) : pipe_(pipe) {}
  bool IsBegin() override { return !started_; }
  bool IsEnd() override { return ended_; }
  bool Read(uint8_t* buffer, int32_t length, uint32_t& read) override {
    if (length < 1) {
      read = 0;
      return true;
    }
    started_ = true;
    const size_t got = pipe_.Take(buffer, static_cast<size_t>(length));
    ended_ = got == 0;
    read = static_cast<uint32_t>(got);
    return !ended_;
  }
  bool ReadByte(uint8_t& byte) override {
    uint32_t read = 0;
    return Read(&byte, 1, read) && read == 1;
  }
  int64_t GetSize() override { return static_cast<int64_t>(kFileSize); }
  Result GetLastError() override { return {}; }

 private:
  Pipe& pipe_;
  bool started_ = false, ended_ = false;
};

// Compares every byte with the plaintext at its offset as it comes.
class CheckedOutput : public OutStream {
 public:
  uint32_t Write(const uint8_t* buffer, int32_t length) override {
    if (length < 1) return 0;
    expected_.resize(static_cast<size_t>(length));
    Plain(written, expected_.data(), expected_.size());
    if (firstWrong < 0 && std::memcmp(buffer, expected_.data(), expected_.size()) != 0) {
      const auto wrong = std::mismatch(expected_.begin(), expected_.end(), buffer).first;
      firstWrong = static_cast<int64_t>(written) + (wrong - expected_.begin());
    }
    written += static_cast<uint64_t>(length);
    return static_cast<uint32_t>(length);
  }
  uint32_t WriteByte(uint8_t byte) override { return Write(&byte, 1); }
  Result GetLastError() override { return {}; }

  uint64_t written = 0;
  int64_t firstWrong = -1;

 private:
  std::vector<uint8_t> expected_;
};

// The highest share either job reports: past 100, the job measured its
// progress against a size held in 32 bits.
class HighestPercent : public tarnwick::crypto::IEncryptCallback,
                       public tarnwick::crypto::IDecryptCallback {
 public:
  void OnStart(void*) override {}
  void OnProgress(uint64_t, float percent, void*) override {
    highest = std::max(highest, percent);
    ++reports;
  }
  void OnFinish(bool, const Result2*, void*) override {}

  float highest = 0;
  int reports = 0;
};

// The encrypted size pins the header's and the input's size and the zero
// fill; the decryption checks the header's digest over the size it
// states, then must give back exactly the plaintext, in place; neither
// job reports more than 100 percent.
TEST(LargeJob, SizesCountsAndOffsetsHoldPast4GiB) {
  tarnwick::crypto::ISymmetricEncryptor* encryptorJob = nullptr;
  tarnwick::crypto::ISymmetricDecryptor* decryptorJob = nullptr;
  ASSERT_EQ(tarnwick::cryptopp::CEncryptorFactory().Create(1, kAes128, &encryptorJob), Result2{});
  const std::unique_ptr<tarnwick::crypto::ISymmetricEncryptor> encryptor(encryptorJob);
  ASSERT_EQ(tarnwick::cryptopp::CDecryptorFactory().Create(1, kAes128, &decryptorJob), Result2{});
  const std::unique_ptr<tarnwick::crypto::ISymmetricDecryptor> decryptor(decryptorJob);

  const std::vector<unsigned char> key(16, 0x5A);
  Pipe pipe;
  PlainInput plain;
  PipeOutput encrypted(pipe);
  PipeInput reading(pipe);
  CheckedOutput decrypted;
  HighestPercent encryptProgress, decryptProgress;
  Result2 encrypting;
  std::thread writer([&] {
    encrypting = encryptor->EncryptWithKey(&plain, &encrypted, &key, false, &encryptProgress,
                                           nullptr);
    pipe.WriterGone();
  });
  const Result2 decrypting =
      decryptor->DecryptWithKey(&reading, &decrypted, &key, &decryptProgress, nullptr);
  pipe.ReaderGone();
  writer.join();

  EXPECT_EQ(encrypting, Result2{});
  EXPECT_EQ(encrypted.written, kFileSize);
  EXPECT_EQ(decrypting, Result2{});
  EXPECT_EQ(decrypted.written, kPlainSize);
  EXPECT_EQ(decrypted.firstWrong, -1);
  for (const HighestPercent* progress : {&encryptProgress, &decryptProgress}) {
    EXPECT_GT(progress->reports, 0);
    EXPECT_LE(progress->highest, 100.0f);
  }
}

}  // namespace
