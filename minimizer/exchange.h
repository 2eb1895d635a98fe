#pragma once

// What Quendal and Qm.exe agree on about a run of "Qm.exe IN OUT": header only,
// so that the application can include it without linking the minimizer.
namespace qm {

// Exit statuses of Qm.exe.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // bad input, unreadable IN or unwritable OUT
inline constexpr int kExitUsage = 2;   // wrong number of arguments
// OUT holds a valid cover that could not be proven minimal within the time limit;
// stderr says how far it may be from the minimum.
inline constexpr int kExitNotProven = 3;

// Qm.exe's own search limit. Quendal waits a little longer (kWaitGraceSeconds) so that
// Qm.exe always gets to answer and explain itself first.
inline constexpr int kTimeLimitSeconds = 5;
inline constexpr int kWaitGraceSeconds = 5;
inline constexpr int kQuendalWaitMs = (kTimeLimitSeconds + kWaitGraceSeconds) * 1000;

}  // namespace qm
