// Drives the demo program from outside, as a user and a desktop would: starts
// it as a child process in a home of its own with the key pipe, asks the pipe
// where its windows and controls are and what the simulated keyboard decoded,
// presses keys on the simulated keyboard, and clicks and types through XTEST
// on the display named by DISPLAY.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

/// One line of the program's "controls" answer: a window, control, key, row, item or tab.
struct ControlInfo {
  std::string kind;       ///< window, control, key, row, item, tab
  unsigned id = 0;        ///< control id (windows: 0)
  int index = 0;          ///< position in its window, picture, list or strip
  int value = 0;          ///< key value (keys), item data (rows)
  std::string className;  ///< the window's or control's class
  std::string text;       ///< title, key name or row text
  int left = 0, top = 0, right = 0, bottom = 0;  ///< root-window pixels, right and bottom exclusive
  int window = -1;        ///< index of the window line it belongs to

  int CentreX() const { return (left + right) / 2; }  ///< horizontal centre
  int CentreY() const { return (top + bottom) / 2; }  ///< vertical centre
};

/// The simulated keyboard's decoded state: each line's name and its numbers ("light" lines keyed "light N").
using KeyboardState = std::map<std::string, std::vector<int>>;

/// How the program ended.
struct ProgramEnd {
  bool exited = false;  ///< it ended by itself (not by a signal)
  int code = -1;        ///< its exit code
};

class DemoDriver {
 public:
  /// A driver whose files (key pipe, answers, output) live in `home`, which must exist.
  explicit DemoDriver(std::string home);
  /// Kills a program still running.
  ~DemoDriver();
  DemoDriver(const DemoDriver&) = delete;
  DemoDriver& operator=(const DemoDriver&) = delete;

  /// Starts `program` with XDG folders under the home and the key pipe; false when it cannot run.
  bool Start(const std::string& program);
  /// Whether the program still runs.
  bool Running();
  /// Waits for the program to end; nothing when it does not within the deadline.
  std::optional<ProgramEnd> WaitForEnd();
  /// The program's standard output and error so far.
  std::string Output() const;

  /// Sends one line to the key pipe ("tap KEY_A").
  bool Send(const std::string& line);
  /// Every visible window of the program with its controls; empty when the program does not answer.
  std::vector<ControlInfo> Controls();
  /// What the simulated keyboard decoded and played.
  KeyboardState State();

  /// Clicks button 1 (or `button`) at a root-window point: the pointer moves there first.
  void Click(int x, int y, unsigned button = 1);
  /// Clicks the centre of `control`.
  void Click(const ControlInfo& control, unsigned button = 1) { Click(control.CentreX(), control.CentreY(), button); }
  /// Drags with button 1 from one root-window point to another, in small steps as a hand would.
  void Drag(int fromX, int fromY, int toX, int toY);
  /// Presses and releases the keys of `keysyms` in order.
  void Type(const std::vector<KeySym>& keysyms);
  /// Writes the root-window area of `window` to a PNG file; false when it cannot.
  bool Screenshot(const ControlInfo& window, const std::string& path);

  /// Work done between the tries of every wait (serving the tray's bus).
  void WhileWaiting(std::function<void()> idle) { idle_ = std::move(idle); }
  /// Waits (generously, or for `patience`) until `done` holds; false if it never did.
  bool Eventually(const std::function<bool()>& done,
                  std::chrono::milliseconds patience = std::chrono::milliseconds(60000));

 private:
  std::string Ask(const std::string& verb);
  void Reap();

  std::string home_;
  pid_t pid_ = -1;
  std::optional<int> status_;  // the wait status once the program ended
  std::function<void()> idle_;
  Display* display_ = nullptr;
  int answers_ = 0;
};
