// The loading window: a popup showing the product logo above a loading
// animation that steps every 18 ms while the window is open.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/Image.h"
#include "zephui/MDialog.h"

namespace ZephUI {

class LoadingPicture;

/// The library's loading window ("Loading Window").
class ZEPHUI_API LoadingWnd : public MDialog {
 public:
  /// A loading window without window.
  LoadingWnd();
  /// Destroys the window.
  ~LoadingWnd() override;

  /// Loads the skin's loading animation and logo and opens the visible popup at `rect`; none on failure.
  HWND CreateDlg(HWND owner, const Rect& rect);
  /// Replaces the animation with the frames of a GIF from the skin folder; 0 when it cannot be read.
  int LoadGifImage(std::u16string_view path);
  /// Replaces the animation with a strip of `frames` equal frames from the skin folder; 0 when it cannot be read.
  int LoadAnimateImage(std::u16string_view path, int frames);
  /// Stops the animation and destroys the window.
  void CloseWindow();
  /// The animation frame shown now.
  int GetAnimationFrame() const;

  /// Starts the 18 ms animation timer (id 100) and loads the close button picture.
  int OnInitDialog() override;
  /// The animation timer steps the animation.
  LRESULT OnTimer(std::uintptr_t id) override;

 private:
  /// Hands the pending logo and animation to the picture once it exists.
  void Deliver();

  LoadingPicture* picture_ = nullptr;         ///< owned by the paint manager
  std::unique_ptr<Image> pendingLogo_;        ///< until the picture exists
  std::unique_ptr<Image> pendingAnimation_;   ///< until the picture exists
  int pendingFrames_ = 0;                     ///< strip frames of the pending animation, 0 = GIF
  std::unique_ptr<Image> closeImage_;         ///< the small close button picture
  Rect client_;                               ///< client rectangle
};

}  // namespace ZephUI
