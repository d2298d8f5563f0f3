// One web request on libcurl: a short text (a version) or a file (a package),
// read in chunks of 10240 bytes, with progress states. Only the fetch helper
// links this, so the resident program never loads libcurl and its TLS stack.
#pragma once

#include <functional>
#include <string>

#include "updater/HttpClient.h"

class CurlTransfer {
 public:
  /// Receives each new progress state (0, 2, 8, 10 ... 100).
  using Progress = std::function<void(int state)>;

  /// Uses these limits for every request.
  explicit CurlTransfer(HttpLimits limits);

  /// Fetches a text of at most maxTextBytes bytes.
  TransferResult FetchText(const std::string& url, std::string& bytes);
  /// Downloads to a file, replacing it; a failed download leaves no file behind.
  TransferResult DownloadFile(const std::string& url, const std::string& path, const Progress& progress);

  /// The state of one running transfer (used by the library callbacks).
  struct Transfer;

 private:
  TransferResult Run(const std::string& url, Transfer& transfer);

  HttpLimits limits_;
};
