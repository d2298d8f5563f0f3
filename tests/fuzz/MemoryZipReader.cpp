#include "tests/fuzz/MemoryZipReader.h"

#include <algorithm>
#include <cstring>

MemoryZipReader::MemoryZipReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {
  functions_.zopen64_file = Open;
  functions_.zread_file = Read;
  functions_.zwrite_file = Write;
  functions_.ztell64_file = Tell;
  functions_.zseek64_file = Seek;
  functions_.zclose_file = Close;
  functions_.zerror_file = Error;
  functions_.opaque = this;
}

voidpf MemoryZipReader::Open(voidpf opaque, const void*, int mode) {
  if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) return nullptr;
  auto* self = static_cast<MemoryZipReader*>(opaque);
  self->position_ = 0;
  return self;
}

uLong MemoryZipReader::Read(voidpf opaque, voidpf, void* buffer, uLong size) {
  auto* self = static_cast<MemoryZipReader*>(opaque);
  const std::size_t count = std::min<std::size_t>(size, self->size_ - self->position_);
  if (count > 0) std::memcpy(buffer, self->data_ + self->position_, count);
  self->position_ += count;
  return static_cast<uLong>(count);
}

uLong MemoryZipReader::Write(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T MemoryZipReader::Tell(voidpf opaque, voidpf) { return static_cast<MemoryZipReader*>(opaque)->position_; }

// Positions past the end are refused, so every later read stays inside the bytes.
long MemoryZipReader::Seek(voidpf opaque, voidpf, ZPOS64_T offset, int origin) {
  auto* self = static_cast<MemoryZipReader*>(opaque);
  std::size_t base = 0;
  if (origin == ZLIB_FILEFUNC_SEEK_CUR) base = self->position_;
  else if (origin == ZLIB_FILEFUNC_SEEK_END) base = self->size_;
  else if (origin != ZLIB_FILEFUNC_SEEK_SET) return -1;
  if (offset > self->size_ - base) return -1;
  self->position_ = base + static_cast<std::size_t>(offset);
  return 0;
}

int MemoryZipReader::Close(voidpf, voidpf) { return 0; }

int MemoryZipReader::Error(voidpf, voidpf) { return 0; }
