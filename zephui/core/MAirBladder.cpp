#include "zephui/MAirBladder.h"

#include <algorithm>

#include "core/AirBladderLayout.h"
#include "core/LayeredCompose.h"
#include "zephui/MRender.h"
#include "zephui/Manager.h"
#include "zephui/SkinLocator.h"
#include "zephui/Window.h"

namespace ZephUI {
namespace {

constexpr int kFontSize = 14;
constexpr ArgbColor kTextColour{0xFE141414};
constexpr std::uint32_t kHideAfterMs = 5000;
constexpr int kStaysType = 4;
// Shown over other windows without taking activation from them, with per-pixel alpha.
constexpr std::uint32_t kExStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;

bool LoadSkin(std::unique_ptr<Image>& slot, std::u16string_view fileName) {
  auto image = MRender::LoadImageFromFile(SkinLocator::SkinPath(fileName));
  if (!image) return false;
  slot = std::move(image);
  return true;
}

Size SizeOf(const Image* image) { return image != nullptr ? Size{image->Width(), image->Height()} : Size{}; }

}  // namespace

struct MAirBladder::State {
  std::u16string text;
  Point anchor;
  int type = 0;
  int mode = 0;
  bool hasMessage = false;
  std::unique_ptr<Image> background;
  std::unique_ptr<Image> arrowLeft;
  std::unique_ptr<Image> arrowRight;
  std::unique_ptr<Image> arrowTop;
  int backMode = 1;
  int frameSize = 6;
  std::u16string family = Manager::GetFontName();
  int lines = 0;
  int lineHeight = 0;
  bool centred = false;
  Rect fit;

  const Image* Arrow() const;
  void Draw(RenderContext& context, Size client) const;
};

const Image* MAirBladder::State::Arrow() const {
  switch (AirBladderLayout::ArrowFor(type)) {
    case BalloonArrow::Left:
      return arrowLeft.get();
    case BalloonArrow::Right:
      return arrowRight.get();
    case BalloonArrow::Top:
      return arrowTop.get();
    case BalloonArrow::None:
      break;
  }
  return nullptr;
}

void MAirBladder::State::Draw(RenderContext& context, Size client) const {
  const Image* arrow = Arrow();
  const BalloonParts parts = AirBladderLayout::Parts(type, client, SizeOf(arrow));
  if (background) {
    const Rect bubble{parts.inner.left, parts.inner.top, parts.inner.right - 1, parts.inner.bottom - 1};
    if (backMode == 0) {
      MRender::DrawImage(context, *background, bubble.left, bubble.top);
    } else {
      MRender::DrawImageFrame(context, *background, bubble, 0, 0, background->Width(), background->Height(),
                              frameSize);
    }
  }
  if (arrow != nullptr) MRender::DrawImage(context, *arrow, parts.arrowAt.x, parts.arrowAt.y);
  const TextFormat format = centred ? TextFormat::Center | TextFormat::VCenter : TextFormat::Left | TextFormat::Top;
  MRender::DrawTextW(context, AirBladderLayout::TextRect(parts.inner, lines, lineHeight), text, kTextColour,
                     Font(family, kFontSize), format);
}

MAirBladder::MAirBladder() : state_(std::make_unique<State>()) {}

MAirBladder::~MAirBladder() = default;

LRESULT MAirBladder::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCREATE:
      ModifyExStyle(0, kExStyle);
      break;
    case WM_PAINT:
      BeginPaint(hwnd_);
      EndPaint(hwnd_);
      Paint();
      return 0;
    case WM_TIMER:
      if (wParam != AIRBLADDER_HIDE_TIMER) break;
      KillTimer(AIRBLADDER_HIDE_TIMER);
      if (IsWindowVisible()) ShowWindow(SW_HIDE);
      return 0;
    default:
      break;
  }
  return CallPreviousProcedure(msg, wParam, lParam);
}

void MAirBladder::SetAirBladderMsg(std::u16string text, int x, int y, int type, int mode) {
  State& s = *state_;
  if (s.hasMessage && s.text == text && s.anchor == Point{x, y} && s.type == type && s.mode == mode) return;
  s.hasMessage = true;
  s.text = std::move(text);
  s.anchor = Point{x, y};
  s.type = type;
  s.mode = mode;
  AutoFit();
  if (type == kStaysType) {
    KillTimer(AIRBLADDER_HIDE_TIMER);
  } else {
    SetTimer(AIRBLADDER_HIDE_TIMER, kHideAfterMs);
  }
}

// Line height is the measured block height shared out over the lines, so every line is as high.
void MAirBladder::AutoFit() {
  State& s = *state_;
  s.lines = static_cast<int>(std::count(s.text.begin(), s.text.end(), u'\n')) + 1;
  const Size measured = MRender::GetTextBounds(Font(s.family, kFontSize), s.text);
  s.lineHeight = measured.height / s.lines;
  const int h = s.lines * s.lineHeight;
  s.centred = s.lines == 1 || s.type == kStaysType;
  s.fit = AirBladderLayout::WindowRect(s.type, s.anchor.x, s.anchor.y, measured.width, h);
  if (s.type == 5) s.lines -= 2;
  MoveWindow(s.fit.left, s.fit.top, s.fit.Width(), s.fit.Height());
  Paint();
}

bool MAirBladder::LoadBKImage(std::u16string_view fileName) { return LoadSkin(state_->background, fileName); }

bool MAirBladder::LoadArrowLImage(std::u16string_view fileName) { return LoadSkin(state_->arrowLeft, fileName); }

bool MAirBladder::LoadArrowRImage(std::u16string_view fileName) { return LoadSkin(state_->arrowRight, fileName); }

bool MAirBladder::LoadArrowTImage(std::u16string_view fileName) { return LoadSkin(state_->arrowTop, fileName); }

void MAirBladder::SetBackMode(int mode, int frameSize) {
  state_->backMode = mode;
  state_->frameSize = frameSize;
}

std::u16string MAirBladder::GetText() const { return state_->text; }

Point MAirBladder::GetAnchor() const { return state_->anchor; }

int MAirBladder::GetType() const { return state_->type; }

int MAirBladder::GetLineCount() const { return state_->lines; }

Rect MAirBladder::GetFitRect() const { return state_->fit; }

// Composes the balloon in the window surface and shows it with per-pixel alpha.
void MAirBladder::Paint() {
  if (!IsWindow(hwnd_)) return;
  if (!ComposeLayered(hwnd_, [this](RenderContext& context, Size size) { state_->Draw(context, size); })) return;
  ModifyExStyle(0, WS_EX_LAYERED);
  PresentWindow(hwnd_);
}

}  // namespace ZephUI
