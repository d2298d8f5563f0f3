// The download button: a four-state button with an icon until a download
// runs, then a progress picture (the strip's frame 1 over the done part of
// frame 0) with the percentage centred on it.
//
// Reports NOTIFY_PRESSED (0, 0) and NOTIFY_CLICKED (0, 0) as any button.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Export.h"
#include "zephui/MButton.h"

namespace ZephUI {

/// The library's download button ("DownloadButton" in the panel factory).
class ZEPHUI_API DownloadButton : public MButton {
 public:
  /// A button with no download running.
  DownloadButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible,
                 bool enabled);
  ~DownloadButton() override;

  /// The button while nothing is downloading, else the progress picture.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;

  /// Sets the percentage done (0 or less: no download); repaints when it changes.
  void SetDownloadProcess(int percent);
  /// The percentage done.
  int GetDownloadProcess() const;

 private:
  /// Frame 0 stretched over the control, frame 1 over the done part, the percentage centred.
  void DrawProgress(RenderContext& hdc);

  int percent_ = 0;  ///< done, in percent
};

}  // namespace ZephUI
