#pragma once

#include <cstdint>

namespace tarnwick::cryptopp {

// The engine's own result codes (kind 5), for engines, jobs, factories,
// password hashing and the file header alike.
enum EngineCode : uint32_t {
  kCodeNoObjectAddress = 5,  // factory: no variable for the new object
  kCodeNullArgument = 6,
  kCodeJobBusy = 8,  // a run is already under way on this job
  kCodeNoOutput = 16,
  kCodeNullInputStream = 17,
  kCodeNullOutputStream = 18,
  kCodeOutputTooSmall = 21,
  kCodeReadFailed = 60,        // context: the input stream's last error
  kCodeWriteFailed = 61,       // context: the output stream's last error
  kCodeNotProvided = 70,       // factory: unknown library type or algorithm id
  kCodeHashUnknown = 700,      // no hash function for the id
  kCodeHashFailed = 4000,      // hashing failed other than in the library
  kCodeHeaderMismatch = 4003,  // wrong password, algorithm or key size
  kCodeInputTooShort = 4004,   // 1 to 55 encrypted bytes
  kCodeInputDamaged = 4005,    // cut short, or not whole blocks
  kCodeKeyNotSet = 4006,
  kCodeKeyAlreadySet = 4007,
  kCodeBadKeySize = 4040,
  kCodeBadIvSize = 4041,
  kCodeBadBufferSize = 4060,
};

// Context codes (kind 5): the stage in which an error arose.
enum EngineStage : uint32_t {
  kStageHeaderDigest = 4002,
  kStageEncrypting = 4020,
  kStageDecrypting = 4021,
  kStagePasswordHash = 4042,
};

}  // namespace tarnwick::cryptopp
