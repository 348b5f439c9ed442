#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "cryptopp/file_header.h"
#include "foundation/gen/result.h"
#include "foundation/io/stream.h"
#include "foundation/platform/platform.h"
#include "foundation/sync/locks.h"

// What the encryption and the decryption job share. The jobs themselves
// (symmetric_encryptor.*, symmetric_decryptor.*) are written once per
// direction over the engine and stream interfaces; the class templates of
// the 54 algorithms only add their engine.
namespace tarnwick::cryptopp::internal {

using Bytes = std::vector<unsigned char>;

// Defaults of every entry point that takes no buffer size or interval.
constexpr uint32_t kDefaultBufferSize = 32768;
constexpr uint32_t kDefaultProgressIntervalMs = 400;

constexpr uint32_t kHeaderBytes = EncryptedFileHeader::kSize;

// Buffer sizes from here on would overflow the signed 32-bit lengths of
// the streams and engines; they are refused like sizes below the minimum.
constexpr uint32_t kMinBufferSize = 8;
constexpr uint32_t kMaxBufferSize = 1u << 30;

// The chunk length n for a requested buffer size and block length b (0 for
// a stream cipher): at least the header, and a whole number of blocks. A
// length that is no multiple of b grows to
// (max(56 / b + 1, n / b) + 1) * b, which stored files were chunked by.
constexpr uint32_t ChunkBufferLength(uint32_t bufferSize, uint32_t blockSize) {
  uint32_t n = bufferSize < kHeaderBytes ? kHeaderBytes : bufferSize;
  if (blockSize != 0 && n % blockSize != 0) {
    const uint32_t least = kHeaderBytes / blockSize + 1;
    const uint32_t blocks = n / blockSize;
    n = ((least > blocks ? least : blocks) + 1) * blockSize;
  }
  return n;
}

// Paces progress reports by the millisecond tick count: a report is due
// when `now` exceeds the last one by more than the interval. The sum
// wraps in unsigned 32-bit arithmetic like the tick count itself, so
// reports pause after the count wraps until it passes the sum again.
class ProgressPacer {
 public:
  explicit ProgressPacer(uint32_t intervalMs) : interval_(intervalMs) {}

  bool Due(uint32_t now) {
    if (now <= static_cast<uint32_t>(last_ + interval_)) return false;
    last_ = now;
    return true;
  }

 private:
  uint32_t last_ = 0;
  uint32_t interval_;
};

// Reports progress after each chunk but the first, at most once per
// interval, and never once a stop has been asked for. `done` may exceed
// `total` by the zero fill of the last block.
template <typename Callback>
class ProgressReporter {
 public:
  ProgressReporter(Callback* callback, void* ctx, uint32_t intervalMs, int64_t total)
      : callback_(callback), ctx_(ctx), pacer_(intervalMs), total_(total) {}

  void AfterChunk(int64_t done, sync::SafeValue<bool>& stop) {
    if (callback_ == nullptr) return;
    const uint32_t now = platform::TickCount();
    if (stop.Get() || !pacer_.Due(now)) return;
    if (done < 0) done = 0;
    const float percent = static_cast<float>(done) * 100.0f / static_cast<float>(total_);
    callback_->OnProgress(static_cast<uint64_t>(done), percent, ctx_);
  }

 private:
  Callback* callback_;
  void* ctx_;
  ProgressPacer pacer_;
  int64_t total_;
};

// Reads exactly `length` bytes, asking again after a short read, since a
// gap in the middle of a chunk would shift the cipher stream. A read that
// fails, or an input that ends first, gives {5, 60, the stream's last
// error}.
gen::Result2 ReadChunk(io::internal::IIStream<char>& in, uint8_t* buffer, uint32_t length);

// Writes `length` bytes (nothing for 0). Any write that stores fewer
// bytes than asked is a failure, {5, 61, the stream's last error}: going
// on would leave a hole in the output.
gen::Result2 WriteChunk(io::internal::IOStream<char>& out, const uint8_t* buffer, uint32_t length);

// {5, 61, the output stream's last error}.
gen::Result2 WriteFailure(io::internal::IOStream<char>& out);

// The input and output buffer of one run, allocated once (the allocation
// throws when memory is short) and reused for every chunk.
class ChunkBuffers {
 public:
  // `blockSize` is the engine's (0 for a stream cipher).
  ChunkBuffers(uint32_t chunkLength, uint32_t blockSize, uint32_t extra)
      : blockSize_(blockSize),
        capacity_(chunkLength + extra),
        in_(new uint8_t[capacity_]),
        out_(new uint8_t[capacity_]) {}

  uint8_t* in() { return in_.get(); }
  const uint8_t* out() const { return out_.get(); }

  // Reads `want` bytes behind the `offset` bytes already in the input
  // buffer and passes them through the engine into the output buffer; a
  // short last chunk of a block cipher goes with zeros up to whole blocks.
  template <typename Engine>
  gen::Result2 Process(Engine& engine, io::internal::IIStream<char>& in, uint32_t offset,
                       uint32_t want, uint32_t& produced) {
    const gen::Result2 read = ReadChunk(in, in_.get() + offset, want);
    if (!gen::IsSuccess(read)) return read;
    const uint32_t length = RoundUp(offset + want);
    std::memset(in_.get() + offset + want, 0, length - offset - want);
    int32_t count = 0;
    const gen::Result2 result = engine.Process(in_.get(), static_cast<int32_t>(length), out_.get(),
                                               static_cast<int32_t>(capacity_), &count);
    produced = static_cast<uint32_t>(count);
    return result;
  }

 private:
  // A short last chunk of a block cipher is rounded up to whole blocks.
  uint32_t RoundUp(uint32_t length) const {
    if (blockSize_ == 0 || length % blockSize_ == 0) return length;
    return (length / blockSize_ + 1) * blockSize_;
  }

  uint32_t blockSize_;
  uint32_t capacity_;
  std::unique_ptr<uint8_t[]> in_;
  std::unique_ptr<uint8_t[]> out_;
};

// The key a password gives: the hash of its bytes up to the NUL (none for
// a null password), cut to the key length. A shorter digest stays as it
// is and is refused by the stream routine. Wiped when it goes.
class PasswordKey {
 public:
  PasswordKey() = default;
  PasswordKey(const PasswordKey&) = delete;
  PasswordKey& operator=(const PasswordKey&) = delete;
  ~PasswordKey();

  // {hash kind, hash code, 5, 4042} when hashing fails.
  gen::Result2 Derive(const char* password, uint32_t hashId, uint32_t keySize);

  const Bytes* bytes() const { return &bytes_; }

 private:
  Bytes bytes_;
};

// The checks before a stream run, in their order: {5, 17}, {5, 18},
// {5, 4060}, {5, 4040}, {5, 4041}, {5, 8}. A missing key or IV counts as
// one of the wrong length.
gen::Result2 CheckRunArguments(const void* in, const void* out, uint32_t bufferSize,
                               const Bytes* key, uint32_t keySize, const Bytes* iv, uint32_t ivSize,
                               sync::SafeValue<bool>& running);

// Only inside a catch block: the run's result for the exception in flight,
// {53, Crypto++ error type, 5, stage}, or {53, 6, 5, stage} for any other.
gen::Result2 CurrentExceptionResult(uint32_t stage);

// What a job of either direction holds beside the engine it works with,
// and the operations that only read those: its stop request, running flag
// and progress value, each under its own lock. JobInterface is
// ISymmetricEncryptor or ISymmetricDecryptor, EngineInterface the engine
// interface of the same direction, Callback its callback interface.
template <class JobInterface, class EngineInterface, class Callback>
class CSymmetricJob : protected JobInterface {
 protected:
  explicit CSymmetricJob(EngineInterface& engine) : engine_(engine) {
    stop.Set(false);
    running.Set(false);
    progress.Set(0.0f);
  }
  ~CSymmetricJob() override { engine_.ResetKey(); }

  uint32_t GetLibraryType() override { return engine_.GetLibraryType(); }
  uint32_t GetAlgorithmId() override { return engine_.GetAlgorithmId(); }
  uint32_t GetKeySize() override { return engine_.GetKeySize(); }
  uint32_t GetIvSize() override { return engine_.GetIvSize(); }
  bool IsRunning() override { return running.Get(); }
  float GetProgress() override { return progress.Get(); }
  void Stop() override { stop.Set(true); }

  // `iv` becomes the engine's IV length of zero bytes.
  void MakeZeroIv(Bytes& iv) { iv.assign(GetIvSize(), 0); }

  // One stream run after its argument checks: resets the flags, calls
  // OnStart, runs `body` with every exception mapped to a result of
  // `stage`, unkeys the engine, calls OnFinish with the stop request as it
  // stands, clears the running flag. The buffers live inside `body`, so
  // they are gone before OnFinish.
  template <typename Body>
  gen::Result2 RunStream(Callback* callback, void* ctx, uint32_t stage, Body&& body) {
    stop.Set(false);
    running.Set(true);
    progress.Set(0.0f);
    if (callback != nullptr) callback->OnStart(ctx);
    gen::Result2 result;
    try {
      result = body();
    } catch (...) {
      result = CurrentExceptionResult(stage);
    }
    engine_.ResetKey();
    if (callback != nullptr) callback->OnFinish(stop.Get(), &result, ctx);
    running.Set(false);
    return result;
  }

  // The engine, which the concrete job holds by value.
  EngineInterface& engine_;
  sync::SafeValue<bool> stop;
  sync::SafeValue<bool> running;
  sync::SafeValue<float> progress;
};

// Holds the engine as a base of the concrete job, so that it is built
// before, and destroyed after, the job core that works with it; the job's
// members keep their order: engine, stop, running, progress.
template <class Engine>
struct EngineMember {
  Engine engine;
};

}  // namespace tarnwick::cryptopp::internal
