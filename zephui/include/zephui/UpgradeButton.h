// The update button: a four-state button with a centred title that carries a
// red "1" badge in its top-right corner while a newer version is waiting.
//
// Reports NOTIFY_PRESSED (0, 0) and NOTIFY_CLICKED (0, 0) as any button.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Export.h"
#include "zephui/MButton.h"

namespace ZephUI {

/// The library's update button ("UpgradeButton" in the panel factory).
class ZEPHUI_API UpgradeButton : public MButton {
 public:
  /// A button with frame size 8 and no update waiting.
  UpgradeButton(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible,
                bool enabled);
  ~UpgradeButton() override;

  /// Sets the upgrade status (0 = nothing waiting); repaints when it changes.
  void SetUpgradeStatus(int status);
  /// The upgrade status.
  int GetUpgradeStatus() const;

 protected:
  /// The button's state, then the badge while the status is not 0.
  void RenderState(RenderContext& target, const Rect& slot, int state) override;

 private:
  int status_ = 0;  ///< 0 = no newer version
};

}  // namespace ZephUI
