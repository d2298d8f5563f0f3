// The list of supported keyboards with their connection state: connected
// keyboards first, on the lit frame of the skin strip, then the listed but
// unconnected ones in grey. Nothing shows while no keyboard is connected.
//
// Reports NOTIFY_PRESSED (item index, 0) when a left press chooses a row.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "zephui/Export.h"
#include "zephui/MControlFont.h"

namespace ZephUI {

/// A device item's state: not shown.
inline constexpr int DEVICE_STATE_HIDDEN = 0;
/// A device item's state: connected.
inline constexpr int DEVICE_STATE_CONNECTED = 1;
/// A device item's state: listed but not connected.
inline constexpr int DEVICE_STATE_LISTED = 2;

/// The library's device list ("CDeviceCtrl" in the factory).
class ZEPHUI_API CDeviceCtrl : public MControlFont {
 public:
  /// An empty list, mouse-responsive.
  CDeviceCtrl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled);
  /// Destroys the items.
  ~CDeviceCtrl() override;

  // ---- overrides ----
  /// Connected rows, then listed rows, 38 pixels high every 50 pixels; nothing while none is connected.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Follows the pointer over the drawn rows; repaints when the hovered row changes.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// A hovered row becomes the current item; NOTIFY_PRESSED (item, 0).
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// 1 while enabled.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;

  // ---- devices ----
  /// Appends a device: listed (state 2) when `show`, else hidden (state 0).
  void AddDevice(std::u16string name, int firstValue, int secondValue, int deviceType, bool show);
  /// Gives the first item of `deviceType` the state; a non-zero state makes it current. Repaints.
  void SetDeviceState(int deviceType, int state);
  /// Every item hidden (state 0); the current item stays. Repaints.
  void ResetAllState();
  /// The current item's device type; 0 without a current item or while none is connected.
  int GetCurDeviceType() const;
  /// The number of connected items.
  int GetConnectCount() const;
  /// Removes every item and clears count, hover and current item. Repaints.
  void ClearList();
  /// Where item `index` was last drawn, relative to the control; empty when not drawn or out of range.
  Rect GetItemRect(int index) const;

 private:
  /// One device.
  struct Item {
    std::u16string name;      ///< shown text
    int firstValue = 0;       ///< kept for the application
    int secondValue = 0;      ///< kept for the application
    int deviceType = 0;       ///< the application's device type
    int state = 0;            ///< DEVICE_STATE_*
    bool listed = false;      ///< the last argument of AddDevice
    Rect rect;                ///< where the row was last drawn, relative to the control
  };
  /// Recounts the connected items (under the lock).
  void Recount();
  /// Draws the rows of one state from `top`; returns the next row's top.
  int DrawRows(RenderContext& hdc, int state, int top);
  /// The drawn row under a window point; -1 when none.
  int RowAt(Point point) const;

  mutable std::mutex itemLock_;  ///< guards items_ and connected_
  std::vector<Item> items_;      ///< in the order added
  int connected_ = 0;            ///< items in state 1
  int hover_ = -1;               ///< hovered item
  int current_ = -1;             ///< current item
};

}  // namespace ZephUI
