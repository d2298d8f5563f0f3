// A progress bar: a background (colour or picture) with a bar over it as wide
// as the value's share of the maximum, an optional percentage text, and a
// running loop that walks the value round while the host's control timer
// ticks. Takes no input and sends no notifications.
#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// The library's progress bar ("MProgress" in the factory).
class ZEPHUI_API MProgress : public MControlFont {
 public:
  /// A bar over 0 … 100 at 0, not running.
  MProgress(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  ~MProgress() override;

  // ---- overrides ----
  /// Registers the control with the manager's animation timer (it moves only while running).
  void InitControl(PaintManager* manager) override;
  /// Copies the cached rendering, making it first when the cache is invalid.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// While running, every third tick raises the value by one, wrapping to 0 at the maximum; 1 then.
  int OnControlTimer() override;
  /// Stores the colour and drops the cache.
  void SetTextColor(ArgbColor colour) override;

  // ---- progress operations ----
  /// Sets the value, clamped to the maximum; negative values and calls while disabled are ignored. Returns the value.
  int SetProgress(int value);
  /// The value.
  int GetProgress() const;
  /// Sets the maximum (at least 1); the value is clamped to it.
  void SetMaxProgress(int maximum);
  /// The maximum.
  int GetMaxProgress() const;
  /// Starts the loop from `value` (clamped to 0 … maximum) or stops it where it is.
  void SetRun(bool run, int value);
  /// True while the loop runs.
  bool IsRunning() const;
  /// Picture stretched over the whole control instead of the background colour; 0 on failure.
  int SetBackGroundImage(std::u16string_view path);
  /// Picture shown, cut at the value, instead of the bar colour; 0 on failure.
  int SetForeGroundImage(std::u16string_view path);
  /// Shows the value as a percentage of the maximum, centred, when on.
  void EnableShowText(bool on);
  /// Sets the background colour (default 64050505).
  void SetBackColor(ArgbColor colour);
  /// Sets the bar colour (default FFFFE100).
  void SetBarColor(ArgbColor colour);

 private:
  /// Background, bar and text into `slot`.
  void Render(RenderContext& target, const Rect& slot);
  /// A picture from the manager's image cache; none on failure.
  const ImgResInfo* LoadPicture(std::u16string_view path) const;

  std::atomic<int> value_{0};           ///< 0 … max; the loop moves it from the timer thread
  std::atomic<int> max_{100};           ///< at least 1
  std::atomic<bool> running_{false};    ///< the loop runs
  std::atomic<int> ticks_{0};           ///< ticks since the loop started
  bool registered_ = false;             ///< known to the manager's animation timer
  ArgbColor backColour_{0x64050505};    ///< under the bar
  ArgbColor barColour_{0xFFFFE100};     ///< the bar
  const ImgResInfo* back_ = nullptr;    ///< background picture, owned by the manager's cache
  const ImgResInfo* fore_ = nullptr;    ///< bar picture, owned by the manager's cache
  bool showText_ = false;               ///< percentage text
};

}  // namespace ZephUI
