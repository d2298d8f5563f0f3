// Lets a program outside the demo press keys of the simulated keyboard.
//
// When PELMORA_DEMO_KEYS names a path, the demo makes a FIFO there (or uses
// the FIFO already there) and reads it on a thread of its own, one command a
// line:
//
//   press KEY_A        key down (names as in linux/input-event-codes.h, or the number)
//   release KEY_A      key up
//   tap KEY_A          down, then up
//   controls FILE      the program's windows and controls into FILE
//   state FILE         the simulated keyboard's decoded state into FILE
//
// The last two need an inspector (SetInspector) and are answered in the
// file, written complete on the user-interface thread (see DemoInspector.h).
//
//   PELMORA_DEMO_KEYS=/tmp/keys pelmora-keyboard-t40-demo &
//   echo "tap KEY_F1" > /tmp/keys
//
// Keys reach the key filter only while it serves the keyboard (see
// SimulatedKeySource). Each command is answered on stdout with where the
// key went ("key pipe: tap KEY_A: to the key filter" or "...: not served,
// dropped"); lines it cannot read are reported on stderr.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <thread>

class DemoInspector;
class SimulatedKeySource;

/// What a command line asks for.
enum class KeyAction { Press, Release, Tap };

/// One parsed command line.
struct KeyCommand {
  KeyAction action = KeyAction::Tap;  ///< what to do
  int code = 0;                       ///< evdev key code
  bool operator==(const KeyCommand&) const = default;  ///< both equal
};

class KeyCommandPipe {
 public:
  /// Commands go to `source`, which must outlive the pipe.
  explicit KeyCommandPipe(SimulatedKeySource& source);
  /// Stops reading.
  ~KeyCommandPipe();
  KeyCommandPipe(const KeyCommandPipe&) = delete;
  KeyCommandPipe& operator=(const KeyCommandPipe&) = delete;

  /// Makes (or opens) the FIFO at `path` and starts reading it; false with a message on stderr when it cannot.
  bool Start(const std::string& path);
  /// Stops the reading thread; the FIFO stays for the next run.
  void Stop();
  /// Answers "controls" and "state" through `inspector` (which must outlive the pipe); before Start.
  void SetInspector(DemoInspector* inspector) { inspector_ = inspector; }

  /// Reads one line ("press KEY_A"); nullopt for anything else.
  static std::optional<KeyCommand> Parse(std::string_view line);

 private:
  void Run();
  void HandleBytes(std::string_view bytes);
  void HandleLine(std::string_view line);
  bool HandleQuestion(std::string_view line);

  SimulatedKeySource& source_;
  DemoInspector* inspector_ = nullptr;
  int fifo_ = -1;
  int stop_ = -1;  // eventfd that wakes the thread to end
  std::string partial_;  // a line still missing its end
  std::thread thread_;
};
