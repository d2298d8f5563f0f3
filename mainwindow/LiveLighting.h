// The live lighting of family A keyboards: in the music mode the visualiser's
// key colours, in the screen mode the screen light's cells, streamed to the
// keyboard by the worker's idle steps. The window selects the source whenever
// what decides it changes (mode, tab, shown or hidden, keyboard present), so
// the visualiser paints and the screen is sampled only while they are shown.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "zephui/Color.h"

class Clock;
class KeyboardLayout;
class KeyboardProtocol;
class ScreenCapture;
class ScreenLight;
class Visualizer;

/// Which source the live lighting takes its colours from.
enum class LiveSource { None, Music, Screen };

class LiveLighting {
 public:
  /// The protocol, visualiser and clock must outlive this object; the screen capture is taken.
  LiveLighting(KeyboardProtocol& protocol, Visualizer& music, std::unique_ptr<ScreenCapture> screen, Clock& clock);
  /// Ends the screen sampling thread.
  ~LiveLighting();

  /// Takes the layout's keys: their matrix cells and light table positions.
  void SetLayout(const KeyboardLayout& layout);
  /// Switches the visualiser's painting and the screen sampling to serve this source only.
  void Select(LiveSource source);
  /// The source last selected.
  LiveSource Selected() const;
  /// Called after each step that coloured the keys (on the worker thread).
  void SetFrameListener(std::function<void()> listener);
  /// One step on the worker: colours from the mode's source, sent when the keyboard is wired; true when sent.
  bool Step(std::uint32_t modeFlags, int connectionMode);
  /// The colours of the last step, by key code.
  std::vector<std::pair<int, ZephUI::GdiColor>> LatestColours() const;

 private:
  struct Key {
    int row;
    int column;
    int code;
    int lightIndex;
  };

  KeyboardProtocol& protocol_;
  Visualizer& music_;
  std::unique_ptr<ScreenLight> screen_;
  mutable std::mutex lock_;  // the keys, the latest colours, the selection and the listener
  std::vector<Key> keys_;
  std::vector<std::pair<int, ZephUI::GdiColor>> latest_;
  std::function<void()> listener_;
  LiveSource selected_ = LiveSource::None;
  int rows_ = 0;
  int columns_ = 0;
};
