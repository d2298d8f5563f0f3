#include "tests/demo/SimulatedKeyboardWindow.h"

#include <libevdev/libevdev.h>

#include <cstdio>
#include <string_view>

#include "tests/demo/SimulatedKeyboardState.h"
#include "zephui/CTextButton.h"
#include "zephui/ControlTypes.h"
#include "zephui/MText.h"
#include "zephui/PaintManager.h"
#include "zephui/Text.h"
#include "zephui/Window.h"
#include "zephui/WindowStyles.h"

using namespace ZephUI;

namespace {

constexpr std::u16string_view kClassName = u"PelmoraSimulatedKeyboard";
constexpr std::u16string_view kWindowTitle = u"Simulated keyboard";
constexpr int kWidth = 760;
constexpr int kHeight = 468;
constexpr int kMargin = 16;
constexpr std::uintptr_t kRefreshTimer = 1;
constexpr int kTileTop = 54;
constexpr int kTileWidth = 112;
constexpr int kTileGap = 8;
constexpr std::uint32_t kTitleText = 0xFFF0F3F6;
constexpr std::uint32_t kValueText = 0xFFFFFFFF;
constexpr std::uint32_t kQuietText = 0xFF8C96A4;
constexpr std::uint32_t kTileBack = 0xFF262D37;

constexpr std::u16string_view kCaptions[] = {u"Mode", u"Brightness", u"Speed", u"Colour", u"Direction",
                                             u"Custom set"};

std::u16string Number(int value) { return DecimalText(value); }

std::u16string FrameText(const SimulatedKeyboardState& state) {
  switch (state.frame) {
    case LightingFrame::None: return u"No lighting command received yet";
    case LightingFrame::Feature: return u"Lighting by wired feature frame";
    case LightingFrame::Long: return u"Lighting by long frame";
    case LightingFrame::SelectMode: return u"Lighting by mode selection";
    case LightingFrame::Parameters: return u"Lighting by mode parameters";
  }
  return {};
}

std::u16string ColourText(const SimulatedKeyboardState& state) {
  if (state.colour) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02X%02X%02X", (*state.colour)[0], (*state.colour)[1], (*state.colour)[2]);
    return ToUtf16(hex);
  }
  return state.colourIndex ? Number(*state.colourIndex) : u"-";
}

std::u16string MusicText(const SimulatedKeyboardState& state) {
  if (state.liveStream) return u"Live colour stream running";
  if (!state.musicLevel) return u"Music level: none received";
  return u"Music level " + Number(*state.musicLevel) + u" (effect " + Number(state.musicEffect) + u")";
}

std::u16string PassedText(const std::vector<int>& keys) {
  if (keys.empty()) return u"Passed through: nothing yet";
  std::u16string text = u"Passed through:";
  for (const int code : keys) {
    const char* name = libevdev_event_code_get_name(EV_KEY, static_cast<unsigned>(code));
    std::string_view shown = name != nullptr ? name : "?";
    if (shown.starts_with("KEY_")) shown.remove_prefix(4);
    text += u"  " + ToUtf16(shown);
  }
  return text;
}

}  // namespace

SimulatedKeyboardWindow::SimulatedKeyboardWindow(std::shared_ptr<const hidsim::KeyboardFirmware> firmware,
                                                 const PassedKeyLog& passed, KeyPicture picture)
    : firmware_(std::move(firmware)), passed_(passed), picture_(std::move(picture)) {}

bool SimulatedKeyboardWindow::IsOpen() { return FindWindow(kClassName, kWindowTitle) != nullptr; }

HWND SimulatedKeyboardWindow::Open() {
  const Rect work = GetWorkArea();
  const Rect placed{work.right - kWidth - 24, work.bottom - kHeight - 24, work.right - 24, work.bottom - 24};
  if (Create(nullptr, kWindowTitle, WS_POPUP, 0, placed) == nullptr) return nullptr;
  // Beside the main window, not in front of the user's typing.
  ShowWindow(SW_SHOWNOACTIVATE);
  SetTimer(kRefreshTimer, kRefreshMs);
  return GetSafeHwnd();
}

std::u16string_view SimulatedKeyboardWindow::GetWindowClassName() const { return kClassName; }

void SimulatedKeyboardWindow::InitUI(const Rect& /*clientRect*/) {
  GetPaintManager().SetBackColor(GdiColor::FromRgb(0x1C, 0x21, 0x28), GdiColor::FromRgb(0x3A, 0x43, 0x50));
  EnableWndDrag(true);
  AddText(kTitle, Rect{kMargin, 12, 420, 38}, std::u16string(kWindowTitle), 17, kTitleText)->SetFontStyle(1);
  if (auto* close = dynamic_cast<CTextButton*>(
          CreateControl(u"CTextButton", kClose, Rect{kWidth - 76, 12, kWidth - kMargin, 38}, u"Close", true, true))) {
    close->SetTextButtonColor(ArgbColor(0xFFC8D0DA), ArgbColor(0xFF10A8FD), ArgbColor(0xFF0878B0),
                              ArgbColor(0xFF707880));
  }
  AddTiles();
  AddText(kFrameLabel, Rect{kMargin, 122, kWidth - kMargin, 142}, u"", 12, kQuietText);
  const Rect viewRect{kMargin, 150, kWidth - kMargin, 404};
  view_ = static_cast<KeyLightsView*>(
      GetPaintManager().AddControl(std::make_unique<KeyLightsView>(this, kKeyView, viewRect, std::move(picture_)), 1));
  AddText(kMusicLabel, Rect{kMargin, 412, kWidth - kMargin, 432}, u"", 12, kQuietText);
  AddText(kPassedLabel, Rect{kMargin, 436, kWidth - kMargin, 456}, u"", 12, kQuietText);
  Refresh();
}

void SimulatedKeyboardWindow::AddTiles() {
  for (std::uint32_t i = 0; i < std::size(kCaptions); ++i) {
    const int left = kMargin + 8 + static_cast<int>(i) * (kTileWidth + kTileGap);
    const Rect caption{left, kTileTop, left + kTileWidth, kTileTop + 22};
    const Rect value{left, kTileTop + 22, left + kTileWidth, kTileTop + 58};
    MText* top = AddText(kFirstCaption + i, caption, std::u16string(kCaptions[i]), 11, kQuietText);
    MText* bottom = AddText(kModeValue + i, value, u"-", 22, kValueText);
    for (MText* text : {top, bottom}) {
      text->SetAlignment(1);
      text->EnableTextBack(true, ArgbColor(kTileBack));
    }
    bottom->SetFontStyle(1);
  }
}

MText* SimulatedKeyboardWindow::AddText(std::uint32_t id, const Rect& rect, std::u16string text, int pixels,
                                        std::uint32_t argb) {
  auto* label = static_cast<MText*>(
      GetPaintManager().AddControl(std::make_unique<MText>(this, id, rect, std::move(text), true), 1));
  label->SetFontWidth(pixels);
  label->SetTextColor(ArgbColor(argb));
  return label;
}

LRESULT SimulatedKeyboardWindow::OnMessage(std::uint32_t controlId, UINT msg, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  if (controlId == kClose && msg == NOTIFY_CLICKED) PostMessageW(WM_CLOSE, 0, 0);
  return 0;
}

LRESULT SimulatedKeyboardWindow::OnTimer(std::uintptr_t id) {
  if (id == kRefreshTimer) Refresh();
  return 0;
}

void SimulatedKeyboardWindow::PostNcDestroy() { delete this; }

void SimulatedKeyboardWindow::Refresh() {
  const std::uint64_t firmwareNow = firmware_->ChangeCount();
  const std::uint64_t passedNow = passed_.ChangeCount();
  if (firmwareNow == seenFirmware_ && passedNow == seenPassed_) return;
  seenFirmware_ = firmwareNow;
  seenPassed_ = passedNow;
  const SimulatedKeyboardState state = ReadSimulatedKeyboard(*firmware_);
  const bool lit = state.frame != LightingFrame::None;
  SetText(kModeValue, state.mode ? Number(*state.mode) : u"-");
  SetText(kBrightnessValue, lit ? Number(state.brightness) : u"-");
  SetText(kSpeedValue, lit ? Number(state.speed) : u"-");
  SetText(kColourValue, lit ? ColourText(state) : u"-");
  SetText(kDirectionValue, lit ? Number(state.direction) : u"-");
  SetText(kCustomSetValue, lit ? Number(state.customSet) : u"-");
  std::u16string frame = FrameText(state);
  if (state.resets > 0) frame += u", factory resets: " + Number(state.resets);
  SetText(kFrameLabel, frame);
  SetText(kMusicLabel, MusicText(state));
  SetText(kPassedLabel, PassedText(passed_.Keys()));
  view_->Show(state.lights, state.musicLevel);
}

void SimulatedKeyboardWindow::SetText(std::uint32_t id, const std::u16string& text) {
  auto* label = dynamic_cast<MText*>(GetControl(id));
  if (label != nullptr && label->GetTitle() != text) label->SetTitle(text);
}
