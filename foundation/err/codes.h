#pragma once

#include <cstdint>

namespace tarnwick::err {

// The foundation library's own numbered codes (kind 5).
enum FoundationCode : uint32_t {
  kCodeMissingArgument = 5,  // a null or empty file name, a null buffer
  kCodeAlreadyOpen = 7,      // Open on a stream that holds a file
  kCodeThreadBusy = 8,       // Thread::Start while the last run goes on
  kCodeNotOpen = 104,        // Read or Write on a stream without a file
  kCodeNoRunnable = 300,     // Thread::Start before SetRunnable
  kCodeLaunchFailed = 303,   // an exception while the run was launched
  kCodeRunThrew = 304,       // an exception escaped IRunnable::Run
};

}  // namespace tarnwick::err
