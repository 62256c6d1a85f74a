#pragma once
// Exit codes of the batch program.
#include <cstdint>

namespace korvane::batchexit {

inline constexpr int32_t AllDone = 0;        // every drawing exchanged (or, in a dry run, examined)
inline constexpr int32_t SomeNotDone = 1;    // some drawings skipped or failed (see the report)
inline constexpr int32_t CouldNotStart = 2;  // command line, template, CAD application, folders
inline constexpr int32_t Interrupted = 3;    // stopped by the user; /fortsetzen carries on
inline constexpr int32_t NoAnswer = 4;       // the user's Solid Edge stopped answering; the batch ended itself

}  // namespace korvane::batchexit
