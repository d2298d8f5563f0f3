// Web requests of the updater: a short text (a version) or a file (a package),
// each run by the fetch helper beside the program, so the resident program
// never loads libcurl and its TLS stack. Progress states arrive as the helper
// reports them; another thread may stop a transfer by ending its helper.
#pragma once

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

/// How a request ended.
enum class TransferResult : int {
  Complete = 1,      ///< every byte arrived
  Stopped = -2,      ///< Stop() ended it
  Failed = -1,       ///< the request or a write failed (refused, HTTP error, stalled, cut short, too large)
  NoConnection = 0,  ///< no request could be set up at all (the helper could not be started)
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
  /// Ends the running transfer's helper; the transfer ends as Stopped and reports no more progress.
  void Stop();

  static constexpr std::size_t kChunkBytes = 10240;  ///< read size of every transfer

 private:
  using Output = std::function<void(const char* data, std::size_t size)>;

  TransferResult Run(const std::vector<std::string>& operands, long long maxBytes, const Output& output);
  TransferResult Reap(int pid);
  bool Stopping();

  HttpLimits limits_;
  std::mutex mutex_;  // guards child_ and stopped_
  int child_ = -1;    // the running helper, until it is reaped
  bool stopped_ = false;
};
