// A small list of pictures with ids, for rows of lists and menus.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "zephui/Export.h"
#include "zephui/Image.h"
#include "zephui/Rect.h"
#include "zephui/RenderContext.h"
#include "zephui/RenderTypes.h"

namespace ZephUI {

/// An ordered, locked list of images, each a strip of equal frames.
class ZEPHUI_API MImageList {
 public:
  /// One entry of the list.
  struct Item {
    std::unique_ptr<Image> image;  ///< the picture; none when the file could not be loaded
    int frameWidth = 0;            ///< image width / frame count
    int height = 0;                ///< image height
    int id = 0;                    ///< the caller's id
    int frameCount = 1;            ///< frames in the strip
    std::u16string path;           ///< the path as given
  };

  /// An empty list.
  MImageList();
  /// Frees every image.
  ~MImageList();
  MImageList(const MImageList&) = delete;
  MImageList& operator=(const MImageList&) = delete;

  /// Appends a picture (a relative path is a skin name); the new index, or -1 for an empty path.
  int AddImage(std::u16string_view path, int id, int frameCount);
  /// Index -1 appends and returns the new index; another index inserts there (at most at the end) and returns -1.
  int InsertImage(int index, std::u16string_view path, int id, int frameCount);
  /// Draws the whole first frame of entry `index` stretched over `rect`.
  void DrawItemIcon(RenderContext& dest, const Rect& rect, int index) const;
  /// Draws frame min(frame count, frame) of entry `index` stretched over `rect`.
  void DrawItemIcon(RenderContext& dest, const Rect& rect, int index, int frame) const;
  /// Sets the size at which the list's users draw the icons.
  void SetDrawImgSize(int width, int height);
  /// The size set with SetDrawImgSize; 0 by 0 before.
  Size GetIconSize() const;
  /// The entry at `index`; none when out of range. Valid until the entry is removed.
  const Item* GetItemImageData(int index) const;
  /// The first entry with this id; none when absent.
  const Item* GetImageDataByID(int id) const;
  /// The path of entry `index`; empty when out of range.
  std::u16string GetImagePath(int index) const;
  /// The path of the first entry with this id; empty when absent.
  std::u16string GetImagePathByID(int id) const;
  /// The number of entries.
  int GetImageCount() const;
  /// Removes and frees every entry.
  void DelAllImages();

 private:
  static std::unique_ptr<Item> LoadItem(std::u16string_view path, int id, int frameCount);
  const Item* FindById(int id) const;
  void DrawFrame(RenderContext& dest, const Rect& rect, int index, int frame) const;

  mutable std::mutex mutex_;
  std::vector<std::unique_ptr<Item>> items_;
  Size drawSize_;
};

}  // namespace ZephUI
