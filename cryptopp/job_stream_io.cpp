#include "cryptopp/job_stream_io.h"

#include "cryptopp/codes.h"

namespace tarnwick::cryptopp::internal {
namespace {

gen::Result2 WithContext(uint32_t code, gen::Result context) {
  return gen::Result2{gen::kKindOwn, code, context.kind, context.code};
}

}  // namespace

gen::Result2 ReadChunk(io::internal::IIStream<char>& in, uint8_t* buffer, uint32_t length) {
  uint32_t done = 0;
  while (done < length) {
    uint32_t got = 0;
    if (!in.Read(buffer + done, static_cast<int32_t>(length - done), got) || got == 0) {
      return WithContext(kCodeReadFailed, in.GetLastError());
    }
    done += got;
  }
  return gen::Result2{};
}

gen::Result2 WriteChunk(io::internal::IOStream<char>& out, const uint8_t* buffer,
                        uint32_t length) {
  if (length == 0) return gen::Result2{};
  if (out.Write(buffer, static_cast<int32_t>(length)) != length) return WriteFailure(out);
  return gen::Result2{};
}

gen::Result2 WriteFailure(io::internal::IOStream<char>& out) {
  return WithContext(kCodeWriteFailed, out.GetLastError());
}

}  // namespace tarnwick::cryptopp::internal
