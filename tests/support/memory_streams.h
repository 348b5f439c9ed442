#pragma once

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "foundation/gen/result.h"
#include "foundation/io/stream.h"

namespace qmtest {

using tarnwick::gen::Result;

// Input stream over bytes in memory, with faults to order.
class MemoryInStream : public tarnwick::io::internal::IIStream<char> {
 public:
  explicit MemoryInStream(std::string data = {}) : data_(std::move(data)) {}

  // Every read that would reach byte `failFrom` or beyond fails with EIO.
  int64_t failFrom = -1;
  // At most this many bytes per read, as a pipe answers.
  size_t readLimit = std::numeric_limits<size_t>::max();
  // When not negative, what GetSize answers, whatever is held (a file that shrank).
  int64_t claimedSize = -1;
  // Called before every Read with the number of reads before it.
  std::function<void(int)> onRead;

  bool IsBegin() override { return pos_ == 0; }
  bool IsEnd() override { return pos_ >= data_.size(); }
  bool Read(uint8_t* buffer, int32_t length, uint32_t& read) override {
    if (onRead) onRead(reads_);
    ++reads_;
    lastError_ = {};
    if (length < 1) {
      read = 0;
      return true;
    }
    if (IsEnd()) return false;  // the end: last error {0, 0}
    const size_t count =
        std::min({static_cast<size_t>(length), data_.size() - pos_, readLimit});
    if (failFrom >= 0 && static_cast<int64_t>(pos_ + count) > failFrom) {
      lastError_ = tarnwick::gen::SystemError(EIO);
      return false;
    }
    std::memcpy(buffer, data_.data() + pos_, count);
    pos_ += count;
    read = static_cast<uint32_t>(count);
    return true;
  }
  bool ReadByte(uint8_t& byte) override {
    uint32_t got = 0;
    return Read(&byte, 1, got) && got == 1;
  }
  int64_t GetSize() override {
    return claimedSize >= 0 ? claimedSize : static_cast<int64_t>(data_.size());
  }
  Result GetLastError() override { return lastError_; }

 private:
  std::string data_;
  size_t pos_ = 0;
  int reads_ = 0;
  Result lastError_;
};

// Output stream into memory that records the length of every write. It
// stores what fits in `capacity` and reports ENOSPC (a full device).
class MemoryOutStream : public tarnwick::io::internal::IOStream<char> {
 public:
  size_t capacity = std::numeric_limits<size_t>::max();
  // Forgets what was written, keeping room for `bytes` (benchmarks run many passes).
  void Clear(size_t bytes) {
    data_.clear();
    data_.reserve(bytes);
    writes_.clear();
  }

  const std::string& bytes() const { return data_; }
  const std::vector<int32_t>& writes() const { return writes_; }
  // Writes asked for after one that stored fewer bytes than asked.
  int writesAfterFailure() const { return writesAfterFailure_; }

  uint32_t Write(const uint8_t* buffer, int32_t length) override {
    lastError_ = {};
    writes_.push_back(length);
    if (failed_) ++writesAfterFailure_;
    if (length < 1) return 0;
    const size_t count =
        std::min(static_cast<size_t>(length), capacity - std::min(capacity, data_.size()));
    data_.append(reinterpret_cast<const char*>(buffer), count);
    if (count < static_cast<size_t>(length)) {
      lastError_ = tarnwick::gen::SystemError(ENOSPC);
      failed_ = true;
    }
    return static_cast<uint32_t>(count);
  }
  uint32_t WriteByte(uint8_t byte) override { return Write(&byte, 1); }
  Result GetLastError() override { return lastError_; }

 private:
  std::string data_;
  std::vector<int32_t> writes_;
  bool failed_ = false;
  int writesAfterFailure_ = 0;
  Result lastError_;
};

}  // namespace qmtest
