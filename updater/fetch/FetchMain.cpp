// pelmora-keyboard-t40-fetch: one web request per run, so that only this
// short-lived process loads libcurl and its TLS stack.
//   pelmora-keyboard-t40-fetch [--connect-timeout S] [--stall S] [--max-bytes N] text <url>
//   pelmora-keyboard-t40-fetch [--connect-timeout S] [--stall S] [--max-bytes N] file <url> <path>
// "text" writes the body to standard output once it has arrived whole; "file"
// writes each new progress state as a line on standard output. The exit status
// is the result (FetchStatus.h). SIGTERM ends the run at once as stopped and
// removes a partial download.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "updater/CurlTransfer.h"
#include "updater/fetch/FetchStatus.h"

namespace {

// The partial download a signal must remove; written before the transfer starts.
char gPartial[4096];

void OnEndSignal(int) {
  if (gPartial[0] != '\0') ::unlink(gPartial);
  ::_exit(FetchExitStatus(TransferResult::Stopped));
}

// A dead reader (SIGPIPE) or a hang-up ends the run like a stop request.
void CatchEndSignals() {
  struct sigaction action{};
  action.sa_handler = OnEndSignal;
  sigfillset(&action.sa_mask);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGPIPE}) sigaction(signal, &action, nullptr);
}

bool WriteAll(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(STDOUT_FILENO, data, size);
    if (n < 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

void WriteState(int state) {
  char line[16];
  const int length = std::snprintf(line, sizeof line, "%d\n", state);
  WriteAll(line, static_cast<std::size_t>(length));
}

// Reads the options into limits; returns the index of the first operand, or -1 on a bad option.
int ReadOptions(int argc, char** argv, HttpLimits& limits, long long& maxBytes) {
  int i = 1;
  for (; i + 1 < argc && std::strncmp(argv[i], "--", 2) == 0; i += 2) {
    char* end = nullptr;
    const long long value = std::strtoll(argv[i + 1], &end, 10);
    if (end == argv[i + 1] || *end != '\0' || value < 0) return -1;
    const std::string option = argv[i];
    if (option == "--connect-timeout") limits.connectTimeoutSeconds = static_cast<long>(value);
    else if (option == "--stall") limits.stallSeconds = static_cast<long>(value);
    else if (option == "--max-bytes") maxBytes = value;
    else return -1;
  }
  return i;
}

TransferResult Fetch(const std::vector<std::string>& operands, HttpLimits limits, long long maxBytes) {
  if (operands.size() == 2 && operands[0] == "text") {
    if (maxBytes >= 0) limits.maxTextBytes = maxBytes;
    std::string body;
    const TransferResult result = CurlTransfer(limits).FetchText(operands[1], body);
    if (result == TransferResult::Complete && !WriteAll(body.data(), body.size())) return TransferResult::Failed;
    return result;
  }
  if (operands.size() == 3 && operands[0] == "file") {
    if (maxBytes >= 0) limits.maxFileBytes = maxBytes;
    const std::string partial = FetchPartialPath(operands[2]);
    if (partial.size() >= sizeof gPartial) return TransferResult::Failed;
    std::memcpy(gPartial, partial.c_str(), partial.size() + 1);
    return CurlTransfer(limits).DownloadFile(operands[1], operands[2], WriteState);
  }
  std::fprintf(stderr, "usage: %s [--connect-timeout S] [--stall S] [--max-bytes N] text <url> | file <url> <path>\n",
               kFetchHelperName);
  return TransferResult::Failed;
}

}  // namespace

int main(int argc, char** argv) {
  CatchEndSignals();
  HttpLimits limits;
  long long maxBytes = -1;
  const int first = ReadOptions(argc, argv, limits, maxBytes);
  if (first < 0) return FetchExitStatus(TransferResult::Failed);
  const std::vector<std::string> operands(argv + first, argv + argc);
  return FetchExitStatus(Fetch(operands, limits, maxBytes));
}
