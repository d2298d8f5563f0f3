#include "tests/updater/ZipMaker.h"

#include <minizip/zip.h>

bool MakeZip(const std::string& path, const std::vector<ZipEntry>& entries) {
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  if (zip == nullptr) return false;
  bool ok = true;
  for (const ZipEntry& e : entries) {
    zip_fileinfo info{};
    info.external_fa = static_cast<uLong>(e.unixMode) << 16;
    const uLong madeBy = e.unixMode != 0 ? (3u << 8) | 20u : 20u;  // host 3 = Unix
    ok = ok && zipOpenNewFileInZip4_64(zip, e.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                       Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY,
                                       nullptr, 0, madeBy, 0, 0) == ZIP_OK;
    ok = ok && zipWriteInFileInZip(zip, e.content.data(), static_cast<unsigned>(e.content.size())) == ZIP_OK;
    ok = ok && zipCloseFileInZip(zip) == ZIP_OK;
  }
  return zipClose(zip, nullptr) == ZIP_OK && ok;
}
