// Answers a driving program's questions about the demo: where the program's
// windows and controls are on the screen, and what the simulated keyboard
// decoded and played. Each answer is written to a file on the user-interface
// thread (where windows and controls may be read) and appears complete,
// renamed into place once written.
//
// "controls" lists every visible top-level window of the program and its
// visible controls, one tab-separated line each, in root-window pixels:
//
//   kind  id  index  value  class  text  left  top  right  bottom
//
// kind is window, control, key (a key of a keyboard picture: value = key
// value), row (a list row: value = item data), item (a function picker item)
// or tab (a tab strip entry); id is the control id (windows: 0), index the
// position within its window, picture, list or strip.
//
// "state" writes the simulated keyboard's decoded state, a name and its
// values a line ("mode 4", "light 0 0 0 255"), plus the keys the key filter
// passed through ("passed 30 48") and the usages the virtual keyboard pressed
// ("played 5"), the latest of each with the count of all ("playedCount 9"),
// and whether the key filter holds the keyboard ("served 1"; without it the
// desktop has the keys).
#pragma once

#include <memory>
#include <string>

#include "tests/demo/PassedKeyLog.h"
#include "tests/demo/PlayedKeysBackend.h"
#include "tests/demo/SimulatedKeySource.h"
#include "tests/sim/KeyboardFirmware.h"

class DemoInspector {
 public:
  /// Reads `firmware`, `keys`, `passed` and `played`; all but the firmware must outlive it.
  DemoInspector(std::shared_ptr<const hidsim::KeyboardFirmware> firmware, const SimulatedKeySource& keys,
                const PassedKeyLog& passed, const PlayedKeyLog& played);

  /// Has the windows and controls written to `path` on the UI thread; false when no program window runs.
  bool WriteControls(const std::string& path);
  /// Has the keyboard's state written to `path` on the UI thread; false when no program window runs.
  bool WriteState(const std::string& path);

 private:
  std::string StateText() const;

  std::shared_ptr<const hidsim::KeyboardFirmware> firmware_;
  const SimulatedKeySource& keys_;
  const PassedKeyLog& passed_;
  const PlayedKeyLog& played_;
};
