// minizip file functions over an archive held in memory, so the unpacker can
// be driven with bytes without writing them to a file first.
#pragma once

#include <minizip/ioapi.h>

#include <cstddef>
#include <cstdint>

class MemoryZipReader {
 public:
  /// Reads these bytes, which must outlive the reader.
  MemoryZipReader(const std::uint8_t* data, std::size_t size);
  MemoryZipReader(const MemoryZipReader&) = delete;
  MemoryZipReader& operator=(const MemoryZipReader&) = delete;

  /// The file functions to open the archive with; any name opens these bytes.
  zlib_filefunc64_def& Functions() { return functions_; }

 private:
  static voidpf Open(voidpf opaque, const void* name, int mode);
  static uLong Read(voidpf opaque, voidpf stream, void* buffer, uLong size);
  static uLong Write(voidpf opaque, voidpf stream, const void* buffer, uLong size);
  static ZPOS64_T Tell(voidpf opaque, voidpf stream);
  static long Seek(voidpf opaque, voidpf stream, ZPOS64_T offset, int origin);
  static int Close(voidpf opaque, voidpf stream);
  static int Error(voidpf opaque, voidpf stream);

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
  zlib_filefunc64_def functions_{};
};
