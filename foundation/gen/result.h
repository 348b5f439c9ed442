#pragma once

#include <cstdint>

namespace tarnwick::gen {

// Kinds of the first pair of a result.
enum ResultKind : uint32_t {
  kKindNone = 0,
  kKindSystem = 1,     // code is an errno value
  kKindOwn = 5,        // one of the program's own numbered codes
  kKindCryptoLib = 53  // code is a CryptoPP::Exception::ErrorType
};

// One {kind, code} pair.
struct Result {
  uint32_t kind = 0;
  uint32_t code = 0;
};

// An error pair and a context pair: the stage at which the error arose
// (kind 5 with a stage code) or the underlying error that caused it.
struct Result2 {
  uint32_t kind = 0;
  uint32_t code = 0;
  uint32_t ctxKind = 0;
  uint32_t ctxCode = 0;
};

// One of the program's own codes, with no context.
inline Result2 OwnError(uint32_t code) { return Result2{kKindOwn, code, 0, 0}; }

// A system error number (errno) as a result pair.
inline Result SystemError(int error) { return Result{kKindSystem, static_cast<uint32_t>(error)}; }

// Kinds are not looked at: {5, 0, ...} is a success.
inline bool IsSuccess(const Result2& r) { return r.code == 0 && r.ctxCode == 0; }

inline bool operator==(const Result& a, const Result& b) {
  return a.kind == b.kind && a.code == b.code;
}
inline bool operator!=(const Result& a, const Result& b) { return !(a == b); }
inline bool operator==(const Result2& a, const Result2& b) {
  return a.kind == b.kind && a.code == b.code && a.ctxKind == b.ctxKind && a.ctxCode == b.ctxCode;
}
inline bool operator!=(const Result2& a, const Result2& b) { return !(a == b); }

}  // namespace tarnwick::gen
