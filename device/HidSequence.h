// A run of frames the keyboard must receive back to back (a macro block, the
// chunks of a download, a request and its replies). While it lives, transfers
// of other threads wait for its end; the owning thread's own transfers go on,
// and sequences of one thread may nest.
#pragma once

class HidManager;

class HidSequence {
 public:
  /// Waits until no other thread's sequence runs, then owns the transport.
  explicit HidSequence(HidManager& hid);
  /// Lets the waiting transfers go.
  ~HidSequence();
  HidSequence(const HidSequence&) = delete;
  HidSequence& operator=(const HidSequence&) = delete;

 private:
  HidManager& hid_;
};
