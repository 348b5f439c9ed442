#pragma once

#include <cstdint>

namespace tarnwick::cryptopp {

// Result codes of the jobs and their factories (kind 5). Context codes
// name the stage in which an error arose.
enum JobCode : uint32_t {
  kCodeNoObjectAddress = 5,    // factory: no variable for the new object
  kCodeJobBusy = 8,            // a run is already under way on this job
  kCodeNullInputStream = 17,
  kCodeNullOutputStream = 18,
  kCodeReadFailed = 60,        // context: the input stream's last error
  kCodeWriteFailed = 61,       // context: the output stream's last error
  kCodeNotProvided = 70,       // factory: unknown library type or algorithm id
  kCodeHeaderMismatch = 4003,  // wrong password, algorithm or key size
  kCodeInputTooShort = 4004,   // 1 to 55 encrypted bytes
  kCodeInputDamaged = 4005,    // cut short, or not whole blocks
  kCodeBadKeySize = 4040,
  kCodeBadIvSize = 4041,
  kCodeBadBufferSize = 4060,
};

enum JobStage : uint32_t {
  kStageEncrypting = 4020,
  kStageDecrypting = 4021,
  kStagePasswordHash = 4042,
};

}  // namespace tarnwick::cryptopp
