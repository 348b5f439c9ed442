#pragma once

#include <cstddef>
#include <string>

namespace tarnwick::platform {

// Flushes std::cout (a question without a line end must show), then reads
// one word from standard input: leading white space is skipped and the
// word ends at the next white space. End of input, a read error or a
// console interrupt (Ctrl+C, a closed terminal) while waiting ends the
// word where it stands; interrupts from before the call do not count.
// Nothing read gives an empty text. The bytes are converted with
// DecodeSystemText. Words are cut to kMaxConsoleWordBytes; the rest of a
// longer word is read and dropped.
constexpr size_t kMaxConsoleWordBytes = 4096;

std::wstring ReadConsoleWord();

}  // namespace tarnwick::platform
