#include "updater/CurlTransfer.h"

#include <curl/curl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "updater/fetch/FetchStatus.h"

namespace {

constexpr const char* kAgent = "IIC2.0/PC 5.5.0000";
constexpr long long kChunk = static_cast<long long>(HttpClient::kChunkBytes);

}  // namespace

struct CurlTransfer::Transfer {
  std::string* text = nullptr;  // text fetch: the bytes so far
  std::FILE* file = nullptr;    // download: the file being written
  const Progress* progress = nullptr;
  CURL* curl = nullptr;
  long long maxBytes = 0;
  long long bytes = 0;
  int lastState = -1;
  bool failed = false;

  void Post(int state) {
    if (progress == nullptr || !*progress || state == lastState) return;
    lastState = state;
    (*progress)(state);
  }

  // Progress counts the 10240-byte chunks received so far, whatever sizes the
  // library hands over, so the states climb to 100 and never past it.
  std::size_t Receive(const char* data, std::size_t size) {
    if (bytes == 0) Post(10);
    bytes += static_cast<long long>(size);
    if (bytes > maxBytes) return failed = true, 0;
    if (text != nullptr) text->append(data, size);
    if (file != nullptr && std::fwrite(data, 1, size, file) != size) return failed = true, 0;
    const long long chunks = (bytes + kChunk - 1) / kChunk;
    curl_off_t length = -1;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    if (length >= static_cast<curl_off_t>(kChunk)) {
      const long long state = 10 + 90 * chunks / (length / static_cast<curl_off_t>(kChunk));
      Post(static_cast<int>(std::min(state, 100LL)));
    }
    return size;
  }
};

namespace {

std::size_t OnData(char* data, std::size_t size, std::size_t count, void* user) {
  return static_cast<CurlTransfer::Transfer*>(user)->Receive(data, size * count);
}

std::size_t OnHeader(char*, std::size_t size, std::size_t count, void* user) {
  static_cast<CurlTransfer::Transfer*>(user)->Post(8);  // the address answered
  return size * count;
}

void SetOptions(CURL* curl, const std::string& url, curl_slist* headers, const HttpLimits& limits,
                CurlTransfer::Transfer& transfer) {
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_USERAGENT, kAgent);
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, static_cast<long>(kChunk));
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);  // an error page is no version and no package
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, limits.connectTimeoutSeconds);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits.stallSeconds);
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(transfer.maxBytes));
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnData);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
}

}  // namespace

CurlTransfer::CurlTransfer(HttpLimits limits) : limits_(limits) { curl_global_init(CURL_GLOBAL_DEFAULT); }

TransferResult CurlTransfer::Run(const std::string& url, Transfer& transfer) {
  transfer.Post(0);
  CURL* curl = curl_easy_init();
  if (curl == nullptr) return TransferResult::NoConnection;
  transfer.curl = curl;
  transfer.Post(2);
  curl_slist* headers = curl_slist_append(nullptr, "Accept: */*");
  headers = curl_slist_append(headers, "Cache-Control: no-cache");
  headers = curl_slist_append(headers, "Pragma: no-cache");
  SetOptions(curl, url, headers, limits_, transfer);
  const CURLcode code = curl_easy_perform(curl);
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);
  transfer.curl = nullptr;
  if (code != CURLE_OK || transfer.failed) return TransferResult::Failed;
  transfer.Post(100);
  return TransferResult::Complete;
}

TransferResult CurlTransfer::FetchText(const std::string& url, std::string& bytes) {
  bytes.clear();
  Transfer transfer;
  transfer.text = &bytes;
  transfer.maxBytes = limits_.maxTextBytes;
  return Run(url, transfer);
}

// The package is written beside its final name and renamed only when complete,
// so a download that fails half-way never leaves a file that could be started.
TransferResult CurlTransfer::DownloadFile(const std::string& url, const std::string& path, const Progress& progress) {
  const std::string partial = FetchPartialPath(path);
  ::unlink(path.c_str());
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (file == nullptr) return TransferResult::Failed;
  Transfer transfer;
  transfer.file = file;
  transfer.progress = &progress;
  transfer.maxBytes = limits_.maxFileBytes;
  TransferResult result = Run(url, transfer);
  if (std::fclose(file) != 0 && result == TransferResult::Complete) result = TransferResult::Failed;
  if (result != TransferResult::Complete || std::rename(partial.c_str(), path.c_str()) != 0) {
    ::unlink(partial.c_str());
    return result == TransferResult::Complete ? TransferResult::Failed : result;
  }
  return result;
}
