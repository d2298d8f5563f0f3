#include "zephui/CDeviceCtrl.h"

#include <algorithm>
#include <utility>

#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr int kRowHeight = 38;
constexpr int kRowPitch = 50;
constexpr int kRowCorner = 12;
constexpr ArgbColor kListedText{0xFF808080};

}  // namespace

CDeviceCtrl::CDeviceCtrl(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MControlFont(parent, id, rect, u"", visible, enabled, true) {
  hAlign_ = 1;
  imageCount_ = 2;
}

CDeviceCtrl::~CDeviceCtrl() = default;

void CDeviceCtrl::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  if (GetConnectCount() == 0) return;
  const int next = DrawRows(hdc, DEVICE_STATE_CONNECTED, 0);
  DrawRows(hdc, DEVICE_STATE_LISTED, next);
}

int CDeviceCtrl::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  const int row = PtInRect(point) ? RowAt(point) : -1;
  SetCursorEx(row >= 0 ? u"hand" : u"arrow");
  if (row == hover_) return row >= 0 ? 1 : 0;
  hover_ = row;
  UpdateControl(CacheReset::Reset);
  return 1;
}

int CDeviceCtrl::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled() || !PtInRect(point) || hover_ < 0) return 0;
  current_ = hover_;
  SendMessageW(NOTIFY_PRESSED, static_cast<WPARAM>(current_), 0);
  return 1;
}

int CDeviceCtrl::OnControlLButtonUp(std::uint32_t /*flags*/, Point /*point*/) { return IsEnabled() ? 1 : 0; }

void CDeviceCtrl::AddDevice(std::u16string name, int firstValue, int secondValue, int deviceType, bool show) {
  std::lock_guard lock(itemLock_);
  items_.push_back(Item{std::move(name), firstValue, secondValue, deviceType,
                        show ? DEVICE_STATE_LISTED : DEVICE_STATE_HIDDEN, show, Rect{}});
}

void CDeviceCtrl::SetDeviceState(int deviceType, int state) {
  {
    std::lock_guard lock(itemLock_);
    const auto it = std::find_if(items_.begin(), items_.end(),
                                 [deviceType](const Item& item) { return item.deviceType == deviceType; });
    if (it != items_.end()) {
      it->state = state;
      if (state != DEVICE_STATE_HIDDEN) current_ = static_cast<int>(it - items_.begin());
    }
    Recount();
  }
  UpdateControl(CacheReset::Reset);
}

void CDeviceCtrl::ResetAllState() {
  {
    std::lock_guard lock(itemLock_);
    for (Item& item : items_) item.state = DEVICE_STATE_HIDDEN;
    Recount();
  }
  UpdateControl(CacheReset::Reset);
}

int CDeviceCtrl::GetCurDeviceType() const {
  std::lock_guard lock(itemLock_);
  if (connected_ == 0 || current_ < 0 || current_ >= static_cast<int>(items_.size())) return 0;
  return items_[current_].deviceType;
}

int CDeviceCtrl::GetConnectCount() const {
  std::lock_guard lock(itemLock_);
  return connected_;
}

void CDeviceCtrl::ClearList() {
  {
    std::lock_guard lock(itemLock_);
    items_.clear();
    connected_ = 0;
  }
  hover_ = -1;
  current_ = -1;
  UpdateControl(CacheReset::Reset);
}

Rect CDeviceCtrl::GetItemRect(int index) const {
  std::lock_guard lock(itemLock_);
  return index >= 0 && index < static_cast<int>(items_.size()) ? items_[index].rect : Rect{};
}

void CDeviceCtrl::Recount() {
  connected_ = static_cast<int>(
      std::count_if(items_.begin(), items_.end(), [](const Item& item) { return item.state == DEVICE_STATE_CONNECTED; }));
}

int CDeviceCtrl::DrawRows(RenderContext& hdc, int state, int top) {
  const ImgResInfo* skin = GetImageInfo();
  const int frame = state == DEVICE_STATE_CONNECTED ? 1 : 0;
  const ArgbColor ink = state == DEVICE_STATE_CONNECTED ? GetTextColor() : kListedText;
  std::lock_guard lock(itemLock_);
  for (Item& item : items_) {
    if (item.state != state) {
      if (item.state == DEVICE_STATE_HIDDEN) item.rect = Rect{};
      continue;
    }
    item.rect = Rect{0, top, rect_.Width(), top + kRowHeight};
    const Rect row{rect_.left, rect_.top + top, rect_.right, rect_.top + top + kRowHeight};
    if (skin != nullptr && skin->image && skin->frameCount > frame) {
      MRender::DrawImageFrame(hdc, *skin->image, row, frame * skin->frameWidth, 0, skin->frameWidth, skin->height,
                              kRowCorner);
    }
    MRender::DrawTextW(hdc, row, item.name, ink, GetGDIFont(),
                       TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine);
    top += kRowPitch;
  }
  return top;
}

int CDeviceCtrl::RowAt(Point point) const {
  const Point local{point.x - rect_.left, point.y - rect_.top};
  std::lock_guard lock(itemLock_);
  if (connected_ == 0) return -1;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].state != DEVICE_STATE_HIDDEN && items_[i].rect.Contains(local.x, local.y)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace ZephUI
