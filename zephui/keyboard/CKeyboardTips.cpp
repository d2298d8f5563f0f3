#include "zephui/CKeyboardTips.h"

#include <utility>

#include "core/LayeredCompose.h"
#include "zephui/MRender.h"
#include "zephui/Manager.h"
#include "zephui/SkinLocator.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr ArgbColor kHeadingColour{0xFFC8C8C8};
constexpr ArgbColor kWhite{0xFFFFFFFF};
constexpr int kSmallFont = 14;
constexpr int kDetailFont = 18;
constexpr int kMarginX = 10;
constexpr int kHeadingTop = 8;
constexpr int kTitleTop = 35;
constexpr int kDetailTop = 63;
constexpr int kLineHeight = 20;
constexpr int kDetailHeight = 28;
// Shown over the keyboard without taking activation from the dialog, with per-pixel alpha.
constexpr std::uint32_t kExStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
constexpr TextFormat kLineFormat = TextFormat::Left | TextFormat::VCenter | TextFormat::SingleLine |
                                   TextFormat::EndEllipsis;

}  // namespace

struct CKeyboardTips::State {
  std::u16string heading;
  std::u16string title;
  std::u16string detail;
  Point anchor;
  bool hasMessage = false;
  std::unique_ptr<Image> background;
  int backMode = 1;
  int frameSize = 6;
  std::u16string family = Manager::GetFontName();

  void Draw(RenderContext& context, Size client) const;
};

void CKeyboardTips::State::Draw(RenderContext& context, Size client) const {
  if (background) {
    const Rect frame{0, 0, client.width - 1, client.height - 1};
    if (backMode == 0) {
      MRender::DrawImage(context, *background, 0, 0);
    } else {
      MRender::DrawImageFrame(context, *background, frame, 0, 0, background->Width(), background->Height(),
                              frameSize);
    }
  }
  const int width = client.width - 2 * kMarginX;
  const auto line = [&](const std::u16string& text, int top, int height, int size, ArgbColor colour) {
    const Rect box{kMarginX, top, kMarginX + width, top + height};
    MRender::DrawTextW(context, box, text, colour, Font(family, size), kLineFormat);
  };
  line(heading, kHeadingTop, kLineHeight, kSmallFont, kHeadingColour);
  line(title, kTitleTop, kLineHeight, kSmallFont, kWhite);
  line(detail, kDetailTop, kDetailHeight, kDetailFont, kWhite);
}

CKeyboardTips::CKeyboardTips() : state_(std::make_unique<State>()) {}

CKeyboardTips::~CKeyboardTips() = default;

HWND CKeyboardTips::CreateTip(HWND owner) {
  return Create(owner, u"KeyboardTip Window", WS_POPUP, kExStyle,
                Rect{0, 0, KEYBOARD_TIP_WIDTH, KEYBOARD_TIP_HEIGHT});
}

LRESULT CKeyboardTips::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    BeginPaint(hwnd_);
    EndPaint(hwnd_);
    Paint();
    return 0;
  }
  return CallPreviousProcedure(msg, wParam, lParam);
}

void CKeyboardTips::SetAirBladderMsg(std::u16string heading, std::u16string title, std::u16string detail, int x,
                                     int y) {
  State& s = *state_;
  if (s.hasMessage && s.heading == heading && s.title == title && s.detail == detail && s.anchor == Point{x, y}) {
    return;
  }
  s.hasMessage = true;
  s.heading = std::move(heading);
  s.title = std::move(title);
  s.detail = std::move(detail);
  s.anchor = Point{x, y};
  if (s.heading.empty()) return;
  MoveWindow(x - KEYBOARD_TIP_WIDTH / 2, y - KEYBOARD_TIP_HEIGHT, KEYBOARD_TIP_WIDTH, KEYBOARD_TIP_HEIGHT);
  Paint();
}

bool CKeyboardTips::LoadBKImage(std::u16string_view fileName) {
  auto image = MRender::LoadImageFromFile(SkinLocator::SkinPath(fileName));
  if (!image) return false;
  state_->background = std::move(image);
  return true;
}

void CKeyboardTips::SetBackMode(int mode, int frameSize) {
  state_->backMode = mode;
  state_->frameSize = frameSize;
}

std::u16string CKeyboardTips::GetHeading() const { return state_->heading; }

std::u16string CKeyboardTips::GetTitle() const { return state_->title; }

std::u16string CKeyboardTips::GetDetail() const { return state_->detail; }

Point CKeyboardTips::GetAnchor() const { return state_->anchor; }

void CKeyboardTips::Paint() {
  if (!IsWindow(hwnd_)) return;
  if (!ComposeLayered(hwnd_, [this](RenderContext& context, Size size) { state_->Draw(context, size); })) return;
  ModifyExStyle(0, WS_EX_LAYERED);
  PresentWindow(hwnd_);
}

}  // namespace ZephUI
