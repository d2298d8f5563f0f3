// Reads a drawable's pixels into client memory. Through a MIT-SHM segment the
// server writes the pixels straight into memory this process maps; without it
// they travel through the socket (XGetImage). Either way the caller sees rows
// of 0x00RRGGBB words.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "lighting/ScreenCaptureOptions.h"

class ScreenXDisplay;

/// Where a drawable keeps red, green and blue in its pixel values.
struct ScreenChannelMasks {
  unsigned long red = 0xFF0000;   ///< red bits
  unsigned long green = 0xFF00;   ///< green bits
  unsigned long blue = 0xFF;      ///< blue bits
};

class ScreenXImageReader {
 public:
  /// The display must outlive the reader.
  ScreenXImageReader(ScreenXDisplay& display, ScreenSharedMemory sharedMemory);
  /// Detaches and frees the shared segment.
  ~ScreenXImageReader();
  ScreenXImageReader(const ScreenXImageReader&) = delete;
  ScreenXImageReader& operator=(const ScreenXImageReader&) = delete;

  /// Reads the top-left width × height pixels of a drawable of this depth; false when the server refused.
  bool Read(Drawable drawable, int depth, int width, int height, const ScreenChannelMasks& masks);
  /// First pixel of the last read, rows Stride() words apart; valid until the next read.
  const std::uint32_t* Pixels() const { return pixels_; }
  /// Distance between rows of Pixels(), in 32-bit words.
  std::size_t Stride() const { return stride_; }
  /// True when the last read went through shared memory.
  bool UsedSharedMemory() const { return usedShared_; }

 private:
  struct ImageDeleter {
    void operator()(XImage* image) const;
  };
  using ImagePtr = std::unique_ptr<XImage, ImageDeleter>;

  bool ReadShared(Drawable drawable, int depth, int width, int height);
  bool ReadPlain(Drawable drawable, int width, int height);
  bool PrepareShared(int depth, int width, int height);
  bool CreateSegment(int depth, int width, int height);
  bool AttachSegment();
  void ReleaseShared();
  void PointAt(const XImage& image, const ScreenChannelMasks& masks);
  void Convert(const XImage& image, const ScreenChannelMasks& masks);

  ScreenXDisplay& display_;
  ScreenSharedMemory sharedMemory_;     // Never once the server refused a segment
  ImagePtr sharedImage_;                // the image whose data is the segment
  XShmSegmentInfo segment_{};
  bool attached_ = false;               // the server has mapped the segment
  ImagePtr plainImage_;                 // the last XGetImage result
  std::vector<std::uint32_t> converted_;  // pixels of images not already in 0x00RRGGBB words
  const std::uint32_t* pixels_ = nullptr;
  std::size_t stride_ = 0;
  bool usedShared_ = false;
};
