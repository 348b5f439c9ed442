// Writes the seed corpus of decrypt_fuzz into the folder given as the one
// argument: small files made by the real encryption job, each behind the
// control bytes of decrypt_input.h, and a few recipes of forged files.
// Run by hand when the input layout changes; the seeds are committed.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "crypto/symmetric_encryptor.h"
#include "cryptopp/alg_info.h"
#include "cryptopp/factory.h"
#include "fuzz/decrypt_input.h"
#include "tests/support/memory_streams.h"

namespace {

using namespace qmfuzz;
namespace cp = tarnwick::cryptopp;

std::string Encrypt(uint32_t algorithmId, const std::string& plain) {
  tarnwick::crypto::ISymmetricEncryptor* made = nullptr;
  cp::CEncryptorFactory factory;
  if (!IsSuccess(factory.Create(cp::kLibraryType, algorithmId, &made))) return {};
  const std::unique_ptr<tarnwick::crypto::ISymmetricEncryptor> job(made);
  qmtest::MemoryInStream in(plain);
  qmtest::MemoryOutStream out;
  const bool salted = plain.size() % 2 == 1;
  if (!IsSuccess(job->EncryptWithPassword(&in, &out, kFuzzPassword, salted, nullptr, nullptr))) {
    return {};
  }
  return out.bytes();
}

std::string Control(uint8_t flags, uint8_t stopAtRead, uint8_t room, uint8_t smallBuffer) {
  return std::string{static_cast<char>(flags), static_cast<char>(stopAtRead),
                     static_cast<char>(room), static_cast<char>(smallBuffer)};
}

std::string Recipe(uint8_t rule, uint8_t difference, uint16_t bodyLength, int8_t lengthChange) {
  return std::string{static_cast<char>(rule),
                     static_cast<char>(difference),
                     static_cast<char>(bodyLength & 0xFF),
                     static_cast<char>(bodyLength >> 8),
                     static_cast<char>(lengthChange),
                     0,
                     0,
                     0};
}

bool Save(const std::string& folder, const std::string& name, const std::string& bytes) {
  std::ofstream file(folder + "/" + name, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  bool saved = true;
  for (uint8_t index = 0; index < 4; ++index) {
    const uint32_t id = kFuzzAlgorithms[index];
    const std::string tag = cp::GetAlgorithmNameA(id) + "-";
    const std::string plain(300, 'q');
    // Whole files, read in one chunk and in many small ones.
    saved &= Save(folder, tag + "empty", Control(index, 0, 0, 0));
    for (const size_t size : {1, 57, 300}) {
      saved &= Save(folder, tag + std::to_string(size),
                    Control(index, 0, 0, 0) + Encrypt(id, plain.substr(0, size)));
    }
    const std::string file = Encrypt(id, plain);
    saved &= Save(folder, tag + "chunks", Control(index | kSmallChunks | 0x30, 0, 0, 40) + file);
    saved &= Save(folder, tag + "stopped", Control(index | kSmallChunks, 3, 0, 0) + file);
    saved &= Save(folder, tag + "full", Control(index | kSmallChunks, 0, 1, 100) + file);
    saved &= Save(folder, tag + "cut", Control(index, 0, 0, 0) + file.substr(0, file.size() - 9));
    // Forged headers that state too little, too much, or nothing.
    saved &= Save(folder, tag + "forged-short",
                  Control(index | kForged, 0, 0, 0) + Recipe(kSmallerSize, 5, 0, 0) + "abcdefgh");
    saved &= Save(folder, tag + "forged-long",
                  Control(index | kForged | kSmallChunks, 0, 0, 0) +
                      Recipe(kLargerSize, 3, 200, 0) + "pattern");
    saved &= Save(
        folder, tag + "forged-none",
        Control(index | kForged, 0, 0, 0) + Recipe(kRawSize, 0, 0, 0) + std::string(8, '\0') + "x");
  }
  if (!saved) std::fprintf(stderr, "could not write every seed into %s\n", folder.c_str());
  return saved ? 0 : 1;
}
