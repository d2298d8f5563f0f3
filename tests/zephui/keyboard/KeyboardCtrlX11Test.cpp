// The T40 keyboard picture on a real X server (a private Xvfb), drawn from
// its layout file with the generated skin in each mode, with per-key colours,
// light frames, checks and a key tip. Each mode is kept as a screenshot in
// the working folder (keyboard_mode100.png ... keyboard_mode104.png) after its
// keys were found where the layout puts them.
#include <gtest/gtest.h>

#include <cairo.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/KeyboardLayout.h"
#include "catalogue/XmlDocument.h"
#include "tests/zephui/backend/ScreenPng.h"
#include "tests/zephui/backend/XvfbServer.h"
#include "zephui/Backend.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/MDialog.h"
#include "zephui/Message.h"
#include "zephui/PaintManager.h"
#include "zephui/SkinLocator.h"
#include "zephui/Text.h"
#include "zephui/Window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr Rect kWindow{10, 150, 1010, 480};
constexpr Rect kControl{10, 10, 990, 320};

struct Layout {
  std::u16string image;
  int width = 0;
  int height = 0;
  std::vector<LayoutKey> keys;
};

// The picture part of a layout file, walked as the layout loader walks it.
bool ReadLayout(const std::filesystem::path& path, Layout& layout) {
  XmlDocument xml;
  if (!xml.LoadFile(path.string()) || !xml.FindSibling(u"device.info") || !xml.Enter() ||
      !xml.FindSibling(u"Keyboard")) {
    return false;
  }
  layout.image = xml.Attribute(u"image");
  layout.width = ParseDecimal(xml.Attribute(u"width"));
  layout.height = ParseDecimal(xml.Attribute(u"height"));
  if (!xml.Enter() || !xml.FindSibling(u"KeyItems") || !xml.Enter()) return false;
  while (xml.FindSibling(u"key")) {
    LayoutKey key;
    key.code = static_cast<int>(std::stoul(ToUtf8(xml.Attribute(u"code")), nullptr, 16));
    key.name = xml.Attribute(u"name");
    key.description = xml.Attribute(u"desc");
    key.rect = ParseKeyRect(xml.Attribute(u"rect"));
    layout.keys.push_back(key);
  }
  return true;
}

// A colour per key running through the hues from left to right.
GdiColor Hue(const Rect& key, int width) {
  const double h = 6.0 * key.left / width;
  const int sector = static_cast<int>(h) % 6;
  const auto rise = static_cast<std::uint8_t>(255 * (h - static_cast<int>(h)));
  const auto fall = static_cast<std::uint8_t>(255 - rise);
  const std::uint8_t rgb[6][3] = {{255, rise, 0}, {fall, 255, 0}, {0, 255, rise},
                                  {0, fall, 255}, {rise, 0, 255}, {255, 0, fall}};
  return GdiColor::FromRgb(rgb[sector][0], rgb[sector][1], rgb[sector][2]);
}

class KeyboardOnX11 : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    available_ = XvfbServer::Shared() != nullptr && SelectBackend(BackendKind::X11);
  }
  void SetUp() override {
    if (!available_) GTEST_SKIP() << "Xvfb is not available";
    ASSERT_TRUE(ReadLayout(SkinLocator::ProgramFolder() / "layouts" / "T40.xml", layout_));
    client_ = XOpenDisplay(nullptr);
    ASSERT_NE(client_, nullptr);
  }
  void TearDown() override {
    if (client_ != nullptr) XCloseDisplay(client_);
  }
  void Pump(int milliseconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    MSG msg;
    while (std::chrono::steady_clock::now() < until) {
      while (PeekMessage(msg)) {
        TranslateMessage(msg);
        DispatchMessage(msg);
      }
      XSync(client_, False);
    }
  }
  // The screen's RGB at a client point of the keyboard's picture.
  std::uint32_t PicturePixel(const KeyboardCtrl& keyboard, int x, int y) {
    const Point at = keyboard.GetPictureOffset();
    XImage* image = XGetImage(client_, DefaultRootWindow(client_), kWindow.left + kControl.left + at.x + x,
                              kWindow.top + kControl.top + at.y + y, 1, 1, AllPlanes, ZPixmap);
    const auto pixel = static_cast<std::uint32_t>(XGetPixel(image, 0, 0) & 0xFFFFFF);
    XDestroyImage(image);
    return pixel;
  }
  // The window and `room` pixels above it, cut from the screen and kept as keyboard_mode<mode>.png.
  void Keep(int mode, int room) {
    const std::filesystem::path screen = std::filesystem::current_path() / "keyboard_screen.png";
    ASSERT_TRUE(WriteScreenPng(client_, screen));
    cairo_surface_t* whole = cairo_image_surface_create_from_png(screen.c_str());
    const int top = kWindow.top - room;
    cairo_surface_t* part = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWindow.Width(), kWindow.bottom - top);
    cairo_t* cr = cairo_create(part);
    cairo_set_source_surface(cr, whole, -kWindow.left, -top);
    cairo_paint(cr);
    cairo_destroy(cr);
    const std::string name = "keyboard_mode" + std::to_string(mode) + ".png";
    EXPECT_EQ(cairo_surface_write_to_png(part, (std::filesystem::current_path() / name).c_str()),
              CAIRO_STATUS_SUCCESS);
    cairo_surface_destroy(part);
    cairo_surface_destroy(whole);
  }

  static bool available_;
  Display* client_ = nullptr;
  Layout layout_;
};

bool KeyboardOnX11::available_ = false;

TEST_F(KeyboardOnX11, TheT40IsDrawnInEveryModeAlongItsLayout) {
  MDialog dialog;
  const HWND hwnd = dialog.Create(nullptr, u"Keyboard", WS_POPUP | WS_VISIBLE, 0, kWindow);
  ASSERT_NE(hwnd, nullptr);
  dialog.GetPaintManager().SetBackColor(GdiColor::FromRgb(20, 22, 26), GdiColor::FromRgb(20, 22, 26));
  auto* keyboard = dynamic_cast<KeyboardCtrl*>(dialog.CreateControl(u"KeyboardCtrl", 72, kControl, u"", true, true));
  ASSERT_NE(keyboard, nullptr);
  ASSERT_TRUE(keyboard->SetKeyboardImage(u"keyboard\\" + layout_.image));
  keyboard->SetWidthAndHeight(layout_.width, layout_.height);
  for (const LayoutKey& key : layout_.keys) {
    keyboard->AddKeyItem(key.name, key.description, static_cast<std::uint32_t>(key.code), key.rect, u"");
  }
  const int count = static_cast<int>(layout_.keys.size());
  std::vector<std::uint8_t> frames(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    keyboard->SetKeyColor(static_cast<std::uint32_t>(layout_.keys[i].code), Hue(layout_.keys[i].rect, layout_.width));
    frames[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(255 * (count - i) / count);
  }
  keyboard->SetLightModeData(frames.data(), count);
  for (const char* wasd : {"W", "A", "S", "D"}) {
    for (const LayoutKey& key : layout_.keys) {
      if (key.name == ToUtf16(wasd)) keyboard->SetKeyCheck(static_cast<std::uint32_t>(key.code), 1);
    }
  }
  keyboard->SetTitle(u"Key settings");
  keyboard->EnableKBTips(true);

  const LayoutKey& esc = layout_.keys.front();
  for (int mode = KEYBOARD_MODE_CAPS; mode <= KEYBOARD_MODE_COLOUR; ++mode) {
    keyboard->SetKeyboardCtrlMode(mode);
    const Rect tipKey = keyboard->GetRealRect(layout_.keys[20].rect);
    keyboard->SetTips(20, Rect{kControl.left + tipKey.left, kControl.top + tipKey.top, kControl.left + tipKey.right,
                               kControl.top + tipKey.bottom},
                      mode == KEYBOARD_MODE_SELECT);
    Pump(700);
    const std::uint32_t edge = PicturePixel(*keyboard, esc.rect.left + 1, (esc.rect.top + esc.rect.bottom) / 2);
    switch (mode) {
      case KEYBOARD_MODE_CAPS:
        EXPECT_EQ(PicturePixel(*keyboard, esc.rect.left + 2, esc.rect.top + 2), 0x007ACCU);
        break;
      case KEYBOARD_MODE_LIGHT:
        EXPECT_EQ(edge, 0x00FFFFU);  // the first key is fully bright in the only frame
        break;
      case KEYBOARD_MODE_PAINT:
      case KEYBOARD_MODE_COLOUR: {
        const GdiColor c = keyboard->GetKeyColor(static_cast<std::uint32_t>(esc.code));
        EXPECT_EQ(edge, (std::uint32_t{c.Red()} << 16) | (std::uint32_t{c.Green()} << 8) | c.Blue());
        break;
      }
      default:
        break;
    }
    Keep(mode, mode == KEYBOARD_MODE_SELECT ? 110 : 0);  // room for the tip above the top rows
  }
  dialog.DestroyWindow();
}

}  // namespace
}  // namespace zephuitest
