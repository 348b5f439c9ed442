#pragma once

#include <algorithm>
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

  // Every read that would reach byte `offset` or beyond fails with `error`.
  void FailReadsFrom(int64_t offset, Result error) {
    failFrom_ = offset;
    failError_ = error;
  }
  // At most `limit` bytes per read, as a pipe answers.
  void LimitReadsTo(size_t limit) { readLimit_ = limit; }
  // GetSize answers this, whatever is held (a file that shrank).
  void ClaimSize(int64_t size) { claimedSize_ = size; }
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
        std::min({static_cast<size_t>(length), data_.size() - pos_, readLimit_});
    if (failFrom_ >= 0 && static_cast<int64_t>(pos_ + count) > failFrom_) {
      lastError_ = failError_;
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
    return claimedSize_ >= 0 ? claimedSize_ : static_cast<int64_t>(data_.size());
  }
  Result GetLastError() override { return lastError_; }

 private:
  std::string data_;
  size_t pos_ = 0;
  int reads_ = 0;
  int64_t failFrom_ = -1;
  Result failError_;
  size_t readLimit_ = std::numeric_limits<size_t>::max();
  int64_t claimedSize_ = -1;
  Result lastError_;
};

// Output stream into memory that records the length of every write. Given
// a capacity, it stores what fits and reports `error` (a full device).
class MemoryOutStream : public tarnwick::io::internal::IOStream<char> {
 public:
  void LimitTo(size_t capacity, Result error) {
    capacity_ = capacity;
    fullError_ = error;
  }
  void Reserve(size_t bytes) { data_.reserve(bytes); }
  // Forgets what was written, keeping the storage.
  void Clear() {
    data_.clear();
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
        std::min(static_cast<size_t>(length), capacity_ - std::min(capacity_, data_.size()));
    data_.append(reinterpret_cast<const char*>(buffer), count);
    if (count < static_cast<size_t>(length)) {
      lastError_ = fullError_;
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
  size_t capacity_ = std::numeric_limits<size_t>::max();
  Result fullError_;
  Result lastError_;
};

}  // namespace qmtest
