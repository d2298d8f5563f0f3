#include "zephui/MImageList.h"

#include <algorithm>

#include "zephui/MRender.h"
#include "zephui/SkinLocator.h"
#include "zephui/Text.h"

namespace ZephUI {

MImageList::MImageList() = default;

MImageList::~MImageList() = default;

std::unique_ptr<MImageList::Item> MImageList::LoadItem(std::u16string_view path, int id, int frameCount) {
  auto item = std::make_unique<Item>();
  item->id = id;
  item->frameCount = std::max(frameCount, 1);
  item->path = std::u16string(path);
  const std::filesystem::path file(ToUtf8(path));
  item->image = MRender::LoadImageFromFile(file.is_absolute() ? file : SkinLocator::SkinPath(path));
  if (item->image) {
    item->frameWidth = item->image->Width() / item->frameCount;
    item->height = item->image->Height();
  }
  return item;
}

int MImageList::AddImage(std::u16string_view path, int id, int frameCount) {
  return InsertImage(-1, path, id, frameCount);
}

int MImageList::InsertImage(int index, std::u16string_view path, int id, int frameCount) {
  if (path.empty()) return -1;
  // Loading happens outside the lock, so drawing from the timer thread never waits for a file.
  std::unique_ptr<Item> item = LoadItem(path, id, frameCount);
  std::lock_guard<std::mutex> lock(mutex_);
  if (index == -1) {
    items_.push_back(std::move(item));
    return static_cast<int>(items_.size()) - 1;
  }
  const auto at = static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(items_.size())));
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  return -1;
}

void MImageList::DrawItemIcon(RenderContext& dest, const Rect& rect, int index) const {
  DrawFrame(dest, rect, index, 0);
}

void MImageList::DrawItemIcon(RenderContext& dest, const Rect& rect, int index, int frame) const {
  DrawFrame(dest, rect, index, frame);
}

void MImageList::DrawFrame(RenderContext& dest, const Rect& rect, int index, int frame) const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  const Item& item = *items_[static_cast<std::size_t>(index)];
  if (!item.image) return;
  // Frame number frame count selects the strip's end, which draws nothing.
  const int selected = std::clamp(frame, 0, item.frameCount);
  MRender::DrawImage(dest, *item.image, rect, item.image->StripFrameRect(selected, item.frameCount));
}

void MImageList::SetDrawImgSize(int width, int height) {
  std::lock_guard<std::mutex> lock(mutex_);
  drawSize_ = Size{width, height};
}

Size MImageList::GetIconSize() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return drawSize_;
}

const MImageList::Item* MImageList::GetItemImageData(int index) const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return nullptr;
  return items_[static_cast<std::size_t>(index)].get();
}

const MImageList::Item* MImageList::FindById(int id) const {
  const auto found = std::find_if(items_.begin(), items_.end(), [id](const auto& item) { return item->id == id; });
  return found == items_.end() ? nullptr : found->get();
}

const MImageList::Item* MImageList::GetImageDataByID(int id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return FindById(id);
}

std::u16string MImageList::GetImagePath(int index) const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return {};
  return items_[static_cast<std::size_t>(index)]->path;
}

std::u16string MImageList::GetImagePathByID(int id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Item* item = FindById(id);
  return item ? item->path : std::u16string();
}

int MImageList::GetImageCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(items_.size());
}

void MImageList::DelAllImages() {
  std::lock_guard<std::mutex> lock(mutex_);
  items_.clear();
}

}  // namespace ZephUI
