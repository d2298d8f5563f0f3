// A window's skin pictures: one record per skin path, per application
// resource id and per library resource id, each loaded once and owned here.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "zephui/ControlTypes.h"
#include "zephui/Resources.h"

namespace ZephUI {

/// The three picture maps of a paint manager under one lock.
class ImageCache {
 public:
  /// The record of a skin file; the first request's frame count wins. None when it cannot be loaded.
  const ImgResInfo* FromSkin(std::u16string_view path, int frameCount);
  /// The record of a registered resource; none when it is missing or unreadable.
  const ImgResInfo* FromResource(ResourceModule module, int resourceId, std::u16string_view type, int frameCount);
  /// Hands every record over (the caller decides when they die) and empties the cache.
  std::shared_ptr<void> TakeAll();

 private:
  using PathMap = std::map<std::u16string, std::unique_ptr<ImgResInfo>, std::less<>>;
  using IdMap = std::map<int, std::unique_ptr<ImgResInfo>>;

  static std::unique_ptr<ImgResInfo> MakeRecord(std::unique_ptr<Image> image, int frameCount);

  std::mutex lock_;
  PathMap byPath_;
  IdMap byApplicationId_;
  IdMap byLibraryId_;
};

}  // namespace ZephUI
