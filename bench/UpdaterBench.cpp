// Download and unpack of a 20 MB package over loopback, from the tests' HTTP server.
#include <benchmark/benchmark.h>

#include <random>

#include "tests/support/TempFolder.h"
#include "tests/updater/UpdateServer.h"
#include "tests/updater/ZipMaker.h"
#include "updater/HttpClient.h"
#include "updater/ZipUnpacker.h"

namespace {

void DownloadAndUnpack20MB(benchmark::State& state) {
  testsupport::TempFolder site;
  testsupport::TempFolder downloads;
  std::mt19937 random(7);
  std::string payload(20 * 1024 * 1024, '\0');
  for (char& c : payload) c = static_cast<char>(random());  // incompressible, like an installer
  MakeZip(site.Path() + "pkg.zip", {{"Keyboard-Software-9.9", payload, 0100755}});
  UpdateServer server(site.Path());
  HttpClient http;
  for (auto _ : state) {
    const std::string archive = downloads.Path() + "pkg.zip";
    const bool ok = http.DownloadFile(server.Url("pkg.zip"), archive, nullptr) == TransferResult::Complete &&
                    ZipUnpacker::Unpack(archive, downloads.Path()) == UnpackResult::Unpacked;
    if (!ok) state.SkipWithError("download or unpack failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(payload.size()));
}
BENCHMARK(DownloadAndUnpack20MB)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
