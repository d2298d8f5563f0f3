// Limits of a stored macro. The recorder, the macro editor, the store and the
// exchange files all read these, so a macro one of them makes is one every
// other accepts: whatever the program saves, it can export and import again.
#pragma once

/// Most steps one macro may hold.
inline constexpr int kMaxMacroSteps = 16384;

/// Longest delay after a step (and longest fixed delay of a macro), milliseconds.
inline constexpr int kMaxStepDelayMs = 31000;
