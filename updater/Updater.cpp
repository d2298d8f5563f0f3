#include "updater/Updater.h"

#include <unistd.h>

#include <cstdio>

#include "app/Paths.h"
#include "updater/HttpClient.h"
#include "updater/ProgramStarter.h"
#include "updater/Sha256.h"
#include "updater/VersionCompare.h"
#include "updater/ZipUnpacker.h"
#include "zephui/Text.h"

namespace {

std::string U8(const std::u16string& text) { return ZephUI::ToUtf8(text); }

bool FileExists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

}  // namespace

Updater::Updater(UpdaterHost& host, HttpClient& http, ProgramStarter& starter)
    : host_(host), http_(http), starter_(starter) {}

// The answer names files, so it may hold nothing that could leave the download
// folder; servers commonly end it with a line break, which is not part of it.
std::optional<std::u16string> Updater::AcceptVersion(const std::u16string& answer) {
  const std::size_t first = answer.find_first_not_of(u" \t\r\n");
  if (first == std::u16string::npos) return std::nullopt;
  const std::u16string version = answer.substr(first, answer.find_last_not_of(u" \t\r\n") - first + 1);
  if (version.empty() || version.size() > 10 || version == u"." || version == u"..") return std::nullopt;
  for (char16_t c : version) {
    const bool allowed = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                         c == u'.' || c == u'_' || c == u'-';
    if (!allowed) return std::nullopt;
  }
  return version;
}

int Updater::FirmwareAsDecimal(int version) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%x", static_cast<unsigned>(version));
  return ZephUI::ParseDecimal(std::string_view(digits));
}

void Updater::CheckSoftware(const UpdateSources& sources) {
  host_.StopCheckTimer();
  std::u16string answer;
  if (http_.FetchText(U8(sources.softwareBaseUrl) + "version", answer) != TransferResult::Complete) return;
  const std::optional<std::u16string> latest = AcceptVersion(answer);
  if (!latest) return;
  latestSoftware_ = *latest;
  if (CompareVersions(sources.installedVersion, latestSoftware_) < 1) return;
  InstallSoftware(sources);
  host_.SetSoftwareUpgradeMarker();
}

bool Updater::InstallSoftware(const UpdateSources& sources) {
  return !latestSoftware_.empty() &&
         Install(Package::Software, sources.softwareBaseUrl, latestSoftware_, sources.downloadFolder);
}

void Updater::CheckFirmware(const UpdateSources& sources) {
  latestFirmware_.clear();
  std::u16string answer;
  if (http_.FetchText(U8(sources.firmwareBaseUrl) + "version", answer) != TransferResult::Complete) return;
  const std::optional<std::u16string> latest = AcceptVersion(answer);
  if (!latest) return;
  latestFirmware_ = *latest;
  const int keyboard = host_.ReadFirmwareVersion().value_or(-1);
  if (keyboard < 0 || FirmwareAsDecimal(keyboard) >= ZephUI::ParseDecimal(latestFirmware_)) return;
  host_.SetFirmwareUpgradeMarker();
  host_.QueueFirmwareUpdate();
}

bool Updater::UpdateFirmware(const UpdateSources& sources) {
  return !latestFirmware_.empty() &&
         Install(Package::Firmware, sources.firmwareBaseUrl, latestFirmware_, sources.downloadFolder);
}

// A server that publishes "<package>.sha256" gets its package checked; one
// that does not is trusted as before. Many servers answer every unknown path
// with a page of their own, so only an answer that is a digest counts as one.
bool Updater::VerifyDigest(const std::string& url, const std::string& path) {
  std::u16string published;
  if (http_.FetchText(url + ".sha256", published) != TransferResult::Complete) return true;
  const std::optional<std::string> expected = ParseSha256Text(published);
  if (!expected) return true;
  const std::optional<std::string> actual = FileSha256(path);
  return actual && *expected == *actual;
}

bool Updater::Install(Package package, const std::u16string& baseUrl, const std::u16string& version,
                      const std::string& folder) {
  const std::string stem = (package == Package::Software ? "Keyboard-Software-" : "FirmwareUpdateTool-") + U8(version);
  const std::string archive = folder + stem + ".zip";
  const std::string url = U8(baseUrl) + "//" + stem + ".zip";
  CreateFolderTree(folder);
  ::unlink(archive.c_str());
  const TransferResult result =
      http_.DownloadFile(url, archive, [this](int state) { host_.PostProgress(state); });
  if (result != TransferResult::Complete || !FileExists(archive)) return false;
  if (!VerifyDigest(url, archive) || ZipUnpacker::Unpack(archive, folder) != UnpackResult::Unpacked) {
    ::unlink(archive.c_str());  // never unpack or start what failed its checks
    return false;
  }
  ::unlink(archive.c_str());
  if (package == Package::Firmware) host_.CloseHid();
  if (!starter_.Start(folder + stem)) return false;
  host_.ExitProgram(0);
  return true;
}
