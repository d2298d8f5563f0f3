// Web requests of the updater on libcurl: a short text (a version) or a file
// (a package), read in chunks of 10240 bytes, with progress states and a
// keep-going flag another thread may clear to stop a transfer.
#pragma once

#include <atomic>
#include <functional>
#include <string>

/// How a request ended.
enum class TransferResult : int {
  Complete = 1,      ///< every byte arrived
  Stopped = -2,      ///< the keep-going flag was cleared
  Failed = -1,       ///< the request or a write failed (refused, HTTP error, stalled, cut short, too large)
  NoConnection = 0,  ///< no request could be set up at all
};

/// Limits of a transfer.
struct HttpLimits {
  long connectTimeoutSeconds = 15;        ///< giving up on a server that does not answer
  long stallSeconds = 30;                 ///< giving up on a transfer that stops moving
  long long maxTextBytes = 64 * 1024;     ///< a version answer is a few bytes
  long long maxFileBytes = 1LL << 30;     ///< no package is larger
};

class HttpClient {
 public:
  /// Receives each new progress state (0, 2, 8, 10 ... 100).
  using Progress = std::function<void(int state)>;

  /// Uses these limits for every request.
  explicit HttpClient(HttpLimits limits = {});

  /// Fetches a text (UTF-8 on the wire).
  TransferResult FetchText(const std::string& url, std::u16string& text);
  /// Downloads to a file, replacing it; a failed download leaves no file behind.
  TransferResult DownloadFile(const std::string& url, const std::string& path, const Progress& progress);
  /// Clears the keep-going flag: a running transfer stops after its current chunk.
  void Stop() { keepGoing_ = false; }

  static constexpr std::size_t kChunkBytes = 10240;  ///< read size of every transfer

  /// The state of one running transfer (used by the library callbacks).
  struct Transfer;

 private:
  TransferResult Run(const std::string& url, Transfer& transfer);

  HttpLimits limits_;
  std::atomic<bool> keepGoing_{false};
};
