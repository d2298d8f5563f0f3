// The worker's queue of software macros to play, as the key filter side sees
// it. The worker removes an id only after the macro has finished playing, so
// "empty" also means "nothing is playing".
#pragma once

#include <cstdint>

class MacroQueue {
 public:
  virtual ~MacroQueue() = default;
  /// True when no macro waits or plays.
  virtual bool Empty() const = 0;
  /// Appends a macro id for the worker to play; safe from any thread.
  virtual void Append(std::uint32_t macroId) = 0;
};
