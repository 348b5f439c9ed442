#pragma once

#include "app/encrypt_data.h"

namespace thisapp {

// The job's part of the main flow, after its header: hands the job to the
// worker of g_encryptor, rewrites the progress line while it runs and
// prints the closing lines. Answers the exit code: 0 when the job
// succeeded or was cancelled, 7 when the worker was busy, could not start
// or the job failed.
int RunJobOnWorker(const SEncryptData& job);

}  // namespace thisapp
