// The keyboard picture: a picture with one hot rectangle per key. The
// application fills it with key items, chooses a mode, colours and tips, and
// hears about clicks (NOTIFY_CLICKED: item index or -1, key value or 0),
// right clicks (NOTIFY_RCLICK: the same for the key under the pointer) and
// rubber-band selections (NOTIFY_FRAME_SELECT: 0, 0).
//
// Key items, the light animation and the marks the keys show are guarded by
// one item lock, since animation ticks arrive on the library's timer thread.
// A tick never waits for the window's thread: it only asks for a repaint of
// the keys whose brightness changed, and painting redraws just those keys.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/Image.h"
#include "zephui/KEY_INFO.h"
#include "zephui/MPanel.h"

namespace ZephUI {

class CKeyboardTips;
class KeyCanvas;
class KeyLightFrames;
class RubberBand;
struct KeyView;
struct KeyLook;

/// Keys drawn as labelled blue caps, without the picture.
inline constexpr int KEYBOARD_MODE_CAPS = 100;
/// The picture; checked, hovered and selected keys outlined in red; the rubber band is drawn.
inline constexpr int KEYBOARD_MODE_SELECT = 101;
/// The picture; every key outlined in cyan at its brightness in the current animation frame.
inline constexpr int KEYBOARD_MODE_LIGHT = 102;
/// The picture; every key outlined in its own colour; a click toggles the key's colour.
inline constexpr int KEYBOARD_MODE_PAINT = 103;
/// The picture; every key outlined in its own colour.
inline constexpr int KEYBOARD_MODE_COLOUR = 104;

/// The keyboard picture control ("KeyboardCtrl" in the factory).
class ZEPHUI_API KeyboardCtrl : public MPanel {
 public:
  /// An empty keyboard in mode 100, picture offset (6, 6), receiving animation ticks once registered.
  KeyboardCtrl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible);
  /// Destroys the key items and the tip window.
  ~KeyboardCtrl() override;

  // ---- overrides ----
  /// Gives the bars the manager, registers for animation ticks and re-applies the rectangle.
  void InitControl(PaintManager* manager) override;
  /// Copies the composed picture, redrawing first the keys whose marks changed; then the rubber band.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;
  /// Places the bars, re-centres a sized picture and repaints with cache reset.
  void SetControlRect(const Rect& rect) override;
  /// Drags the rubber band, or follows the hovered key and its tip.
  int OnControlMouseMove(std::uint32_t flags, Point point) override;
  /// Ends a band; inside, arms the band and selects the hovered key.
  int OnControlLButtonDown(std::uint32_t flags, Point point) override;
  /// Ends a band; inside, toggles the key's colour in mode 103 and sends NOTIFY_CLICKED.
  int OnControlLButtonUp(std::uint32_t flags, Point point) override;
  /// With frame selection on: arms the band inside, disarms it outside.
  int OnControlRButtonDown(std::uint32_t flags, Point point) override;
  /// Ends a band with NOTIFY_FRAME_SELECT, else selects the hovered key and sends NOTIFY_RCLICK.
  int OnControlRButtonUp(std::uint32_t flags, Point point) override;
  /// One animation tick: in mode 102 with frames, advances the frame at its pace; 1 when it advanced.
  int OnControlTimer() override;

  // ---- key items ----
  /// Appends a key (rectangle relative to the picture, optional icon from the skin folder); its index. No repaint.
  int AddKeyItem(std::u16string name, std::u16string text, std::uint32_t keyValue, const Rect& rect,
                 std::u16string_view iconFile);
  /// Deletes every key item with its icon; nothing is hovered or selected afterwards.
  void ClearItem();
  /// The key items in list order; they stay owned by the control.
  std::vector<KEY_INFO*> GetKeyItems() const;
  /// The number of key items.
  int GetItemCount() const;
  /// Replaces name and text of the first key with this value.
  void SetKeyDesc(std::uint32_t keyValue, std::u16string text);

  // ---- picture and mode ----
  /// Loads the picture from the skin folder; a failed load leaves none. Repaints with cache reset.
  bool SetKeyboardImage(std::u16string_view fileName);
  /// The drawing size of the picture; with a rectangle, the picture is centred horizontally at the top.
  void SetWidthAndHeight(int width, int height);
  /// The picture's offset inside the control.
  Point GetPictureOffset() const;
  /// Sets the mode (100 to 104; others draw nothing but the background) and repaints with cache reset.
  void SetKeyboardCtrlMode(int mode);
  /// The mode.
  int GetKeyboardCtrlMode() const;
  /// A key rectangle moved by the picture offset (still relative to the control's origin).
  Rect GetRealRect(const Rect& rect) const;

  // ---- selection and checks ----
  /// Sets the selected index (-1 none); no repaint.
  void SetSelectItem(int index);
  /// The selected index; -1 none.
  int GetSelectItem() const;
  /// The hovered index; -1 none.
  int GetHoverItem() const;
  /// The value of the last clicked or right-clicked key; 0 for none.
  std::uint32_t GetCurrentKeyValue() const;
  /// Clears every check and the selection; repaints.
  void ResetAllItemCheck();
  /// Sets every check to `value`, clears the selection; repaints.
  void ResetAllItemCheck(int value);
  /// Sets the check of the first key with this value; no repaint.
  void SetKeyCheck(std::uint32_t keyValue, int value);
  /// The check of the first key with this value; 0 when absent.
  int GetKeyCheck(std::uint32_t keyValue) const;
  /// The number of checked keys.
  int GetCheckItemCount() const;
  /// Turns rubber-band selection on or off.
  void EnableFrameSelect(bool on);

  // ---- colours ----
  /// Sets the colour of the first key with this value; no repaint; nothing when absent.
  void SetKeyColor(std::uint32_t keyValue, GdiColor colour);
  /// The colour of the first key with this value; 0 when absent.
  GdiColor GetKeyColor(std::uint32_t keyValue) const;
  /// Gives every key the colour; repaints.
  void ResetAllItemsColor(GdiColor colour);
  /// Gives the selected key and every checked key the colour; repaints.
  void SetAllSelectColor(GdiColor colour);
  /// Every key white when `allWhite`, else the colour; repaints.
  void SetLightModeColor(bool allWhite, GdiColor colour);
  /// The colour a click toggles keys to in mode 103 (default pure red).
  void SetCustomColor(GdiColor colour);
  /// The custom colour.
  GdiColor GetCustomColor() const;

  // ---- light animation ----
  /// Copies brightness frames of one byte per key (length / key count frames); length <= 0 clears. Repaints.
  void SetLightModeData(const std::uint8_t* bytes, int length);
  /// Animation ticks per frame: 5, 4, 3, 2 for speeds 0 to 3, 1 for any other value.
  void SetLightSpeed(int speed);
  /// The number of whole brightness frames.
  int GetLightFrameCount() const;
  /// The frame shown now.
  int GetLightFrame() const;
  /// When the brightness differs from the stored one, turns every key cyan and stores it; repaints.
  void SetMusicBrightness(int brightness);
  /// True once an animation tick reached the control.
  bool IsAnimated() const;

  // ---- tips ----
  /// Sets the tip title and text of the first key with this value.
  void SetTipKey(std::uint32_t keyValue, std::u16string tipTitle, std::u16string tipText);
  /// Empties the tip strings of every key.
  void ResetTipKey();
  /// Turns the key tips on or off (off by default).
  void EnableKBTips(bool on);
  /// Shows the tip of key `item` above `rect` (window client pixels), or hides the tip window.
  void SetTips(int item, const Rect& rect, bool show);
  /// The tip window; none before its first use.
  CKeyboardTips* GetTipWindow() const;

 private:
  /// The look of key `index` in the current state; called under the item lock.
  KeyLook LookOf(int index) const;
  /// Copies what drawing needs of every key; takes the item lock.
  std::vector<KeyView> Snapshot() const;
  /// A key's rectangle in window client pixels; called under the item lock.
  Rect ClientRectOf(const KEY_INFO& key) const;
  /// The first key whose rectangle holds the point; -1 none. Called under the item lock.
  int KeyAt(Point point) const;
  /// The first key with this value; none. Called under the item lock.
  KEY_INFO* Find(std::uint32_t keyValue) const;
  /// The rectangle the rubber band stays in: the picture when it has a size, else the control.
  Rect BandLimit() const;
  /// Runs `change` under the item lock and repaints the keys whose look it changed.
  void ChangeKeys(const std::function<void()>& change);
  /// The picture centred horizontally at the top of a non-empty rectangle.
  void CentrePicture();
  /// Makes the base and composed images when the clip covers the control; false when it does not.
  bool Rebuild(RenderContext& hdc, const std::vector<KeyView>& keys, const Font& font);
  /// The font of the key names.
  Font NameFont();
  /// Draws the picture at its offset and drawing size into a surface of the control's size.
  void DrawPicture(RenderContext& target) const;
  /// Draws the active rubber band in mode 101.
  void DrawBand(RenderContext& hdc) const;
  /// Moves the band corner and re-checks the keys it meets; false when the band did not move.
  bool DragBand(Point point);
  /// Ends the band and repaints where it was drawn.
  void EndBand();
  /// Updates the hovered key and its tip for a pointer move.
  void FollowHover(Point point);
  /// Shows or hides the tip of the hovered key.
  void ShowHoverTip(int hover);
  /// The tip window, created on first use; none when it cannot be made.
  CKeyboardTips* MakeTipWindow();

  mutable std::mutex itemLock_;                   ///< guards the key items, animation, marks, offset and origin
  std::vector<std::unique_ptr<KEY_INFO>> items_;  ///< in list order
  std::unique_ptr<KeyLightFrames> frames_;        ///< brightness frames
  const Image* picture_ = nullptr;                ///< the keyboard picture, in the window's image cache or ownPicture_
  std::unique_ptr<Image> ownPicture_;             ///< the picture of a control without a window
  int pictureWidth_ = 0;                          ///< drawing width
  int pictureHeight_ = 0;                         ///< drawing height
  Point pictureOffset_{6, 6};                     ///< inside the control
  float scale_ = 1.0F;                            ///< text scale
  int mode_ = KEYBOARD_MODE_CAPS;                 ///< drawing mode
  int hover_ = -1;                                ///< hovered key
  int selected_ = -1;                             ///< selected key
  std::uint32_t currentKey_ = 0;                  ///< last clicked key value
  GdiColor customColour_{0x0000FF};               ///< toggled to in mode 103
  int musicBrightness_ = 255;                     ///< stored, not drawn
  std::atomic<bool> animated_{false};             ///< an animation tick arrived
  bool tipsOn_ = false;                           ///< key tips shown
  std::unique_ptr<CKeyboardTips> tips_;           ///< created on first use
  bool frameSelect_ = false;                      ///< rubber band on
  std::unique_ptr<RubberBand> band_;              ///< rubber band state
  Rect bandDrawn_;                                ///< where the band was last asked to be drawn
  std::unique_ptr<KeyCanvas> canvas_;             ///< marks the composed image shows
  Point origin_;                                  ///< the control's top-left corner, for the timer thread
};

}  // namespace ZephUI
