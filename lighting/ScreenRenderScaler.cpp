#include "lighting/ScreenRenderScaler.h"

#include "lighting/ScreenXDisplay.h"

namespace {

constexpr int kMajorNeeded = 0;
constexpr int kMinorNeeded = 10;  // pad repeat; transforms and bilinear came earlier

bool HasRender(Display* display) {
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  return XRenderQueryExtension(display, &eventBase, &errorBase) && XRenderQueryVersion(display, &major, &minor) &&
         (major > kMajorNeeded || (major == kMajorNeeded && minor >= kMinorNeeded));
}

// Half of a side while that still covers the target, else the side as it is.
int HalfOrSame(int side, int target) { return side / 2 >= target ? side / 2 : side; }

}  // namespace

std::unique_ptr<ScreenRenderScaler> ScreenRenderScaler::Create(ScreenXDisplay& display, int width, int height) {
  if (!HasRender(display.Get())) return nullptr;
  std::unique_ptr<ScreenRenderScaler> scaler(new ScreenRenderScaler(display, width, height));
  if (!scaler->CreatePictures()) return nullptr;
  return scaler;
}

ScreenRenderScaler::ScreenRenderScaler(ScreenXDisplay& display, int width, int height)
    : display_(display), width_(width), height_(height) {}

ScreenRenderScaler::~ScreenRenderScaler() {
  if (display_.Broken()) return;  // the server freed everything with the connection
  for (const Stage& half : halves_) FreeStage(half);
  FreeStage(target_);
  FreeStage(root_);
  display_.Sync();
}

bool ScreenRenderScaler::CreatePictures() {
  Display* display = display_.Get();
  const Visual* visual = DefaultVisual(display, DefaultScreen(display));
  const XRenderPictFormat* rootFormat = XRenderFindVisualFormat(display, visual);
  format_ = XRenderFindStandardFormat(display, PictStandardRGB24);
  if (rootFormat == nullptr || format_ == nullptr) return false;

  XRenderPictureAttributes attributes{};
  attributes.subwindow_mode = IncludeInferiors;  // the windows on the screen, not just the bare root
  attributes.repeat = RepeatPad;                 // edge pixels repeat, so the borders keep their brightness
  root_.picture = XRenderCreatePicture(display, display_.Root(), rootFormat, CPSubwindowMode | CPRepeat, &attributes);
  target_ = CreateStage(width_, height_);
  return display_.Sync();
}

ScreenRenderScaler::Stage ScreenRenderScaler::CreateStage(int width, int height) {
  Display* display = display_.Get();
  Stage stage;
  stage.width = width;
  stage.height = height;
  stage.pixmap = XCreatePixmap(display, display_.Root(), static_cast<unsigned>(width), static_cast<unsigned>(height),
                               kTargetDepth);
  XRenderPictureAttributes attributes{};
  attributes.repeat = RepeatPad;
  stage.picture = XRenderCreatePicture(display, stage.pixmap, format_, CPRepeat, &attributes);
  return stage;
}

void ScreenRenderScaler::FreeStage(const Stage& stage) {
  if (stage.picture != 0) XRenderFreePicture(display_.Get(), stage.picture);
  if (stage.pixmap != 0) XFreePixmap(display_.Get(), stage.pixmap);
}

void ScreenRenderScaler::Scale(int rootWidth, int rootHeight) {
  if (rootWidth != root_.width || rootHeight != root_.height) PlanPasses(rootWidth, rootHeight);
  const Stage* source = &root_;
  for (const Stage& half : halves_) {
    XRenderComposite(display_.Get(), PictOpSrc, source->picture, 0, half.picture, 0, 0, 0, 0, 0, 0,
                     static_cast<unsigned>(half.width), static_cast<unsigned>(half.height));
    source = &half;
  }
  XRenderComposite(display_.Get(), PictOpSrc, source->picture, 0, target_.picture, 0, 0, 0, 0, 0, 0,
                   static_cast<unsigned>(width_), static_cast<unsigned>(height_));
}

// Halves each side while it stays at least the target's, then one last pass
// to the target; each source carries the transform of the pass it feeds.
void ScreenRenderScaler::PlanPasses(int rootWidth, int rootHeight) {
  for (const Stage& half : halves_) FreeStage(half);
  halves_.clear();
  root_.width = rootWidth;
  root_.height = rootHeight;
  int width = rootWidth;
  int height = rootHeight;
  for (;;) {
    const int nextWidth = HalfOrSame(width, width_);
    const int nextHeight = HalfOrSame(height, height_);
    if ((nextWidth == width && nextHeight == height) || (nextWidth == width_ && nextHeight == height_)) break;
    halves_.push_back(CreateStage(nextWidth, nextHeight));
    width = nextWidth;
    height = nextHeight;
  }
  const Stage* source = &root_;
  for (const Stage& half : halves_) {
    SetSourceScale(*source, half);
    source = &half;
  }
  SetSourceScale(*source, target_);
}

// The transform maps target pixels to source pixels.
void ScreenRenderScaler::SetSourceScale(const Stage& source, const Stage& target) {
  XTransform transform{};
  transform.matrix[0][0] = XDoubleToFixed(static_cast<double>(source.width) / target.width);
  transform.matrix[1][1] = XDoubleToFixed(static_cast<double>(source.height) / target.height);
  transform.matrix[2][2] = XDoubleToFixed(1.0);
  XRenderSetPictureTransform(display_.Get(), source.picture, &transform);
  XRenderSetPictureFilter(display_.Get(), source.picture, FilterBilinear, nullptr, 0);
}
