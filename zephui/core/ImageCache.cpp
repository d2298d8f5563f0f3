#include "core/ImageCache.h"

#include <utility>
#include <vector>

#include "zephui/MRender.h"
#include "zephui/SkinLocator.h"

namespace ZephUI {
namespace {

struct AllRecords {
  std::map<std::u16string, std::unique_ptr<ImgResInfo>, std::less<>> byPath;
  std::map<int, std::unique_ptr<ImgResInfo>> byApplicationId;
  std::map<int, std::unique_ptr<ImgResInfo>> byLibraryId;
};

}  // namespace

std::unique_ptr<ImgResInfo> ImageCache::MakeRecord(std::unique_ptr<Image> image, int frameCount) {
  if (!image) return nullptr;
  auto record = std::make_unique<ImgResInfo>();
  record->frameCount = frameCount > 0 ? frameCount : 1;
  record->frameWidth = image->Width() / record->frameCount;
  record->height = image->Height();
  record->image = std::move(image);
  return record;
}

const ImgResInfo* ImageCache::FromSkin(std::u16string_view path, int frameCount) {
  {
    std::lock_guard lock(lock_);
    if (auto it = byPath_.find(path); it != byPath_.end()) return it->second.get();
  }
  // Decoding happens outside the lock; a concurrent load of the same path keeps the first record.
  std::unique_ptr<ImgResInfo> record = MakeRecord(MRender::LoadImageFromFile(SkinLocator::SkinPath(path)), frameCount);
  if (!record) return nullptr;
  record->path = std::u16string(path);
  std::lock_guard lock(lock_);
  auto [it, inserted] = byPath_.try_emplace(std::u16string(path), std::move(record));
  return it->second.get();
}

const ImgResInfo* ImageCache::FromResource(ResourceModule module, int resourceId, std::u16string_view type,
                                           int frameCount) {
  IdMap& map = module == ResourceModule::Application ? byApplicationId_ : byLibraryId_;
  {
    std::lock_guard lock(lock_);
    if (auto it = map.find(resourceId); it != map.end()) return it->second.get();
  }
  const std::vector<std::uint8_t> bytes = Resources::Find(module, resourceId, type);
  if (bytes.empty()) return nullptr;
  std::unique_ptr<ImgResInfo> record = MakeRecord(MRender::LoadImageFromMemory(bytes), frameCount);
  if (!record) return nullptr;
  record->resourceId = resourceId;
  std::lock_guard lock(lock_);
  auto [it, inserted] = map.try_emplace(resourceId, std::move(record));
  return it->second.get();
}

std::shared_ptr<void> ImageCache::TakeAll() {
  auto all = std::make_shared<AllRecords>();
  std::lock_guard lock(lock_);
  all->byPath.swap(byPath_);
  all->byApplicationId.swap(byApplicationId_);
  all->byLibraryId.swap(byLibraryId_);
  return all;
}

}  // namespace ZephUI
