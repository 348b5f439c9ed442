#include "app/job_flow.h"

namespace thisapp {

// Placeholder until the paths and the job runner are in.
int RunJobFlow(const SCommandLine&, SEncryptData&) { return 0; }

}  // namespace thisapp
