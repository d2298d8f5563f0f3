#include "app/Settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "app/AtomicFile.h"
#include "app/IniFile.h"
#include "app/LanguageText.h"
#include "app/Paths.h"
#include "zephui/Text.h"

namespace {

constexpr std::string_view kSection = "Settings";
constexpr std::string_view kExecutableName = "pelmora-keyboard-t40";
// Values are read into a buffer of this many bytes, terminating zero included;
// a longer value reads as missing.
constexpr std::size_t kValueBufferBytes = 255;

enum class OpenResult { Opened, Missing, Failed };

// Opening the settings "with full access": the file must be readable and writable.
OpenResult OpenSettings(IniFile& settings) {
  const std::string path = SettingsFilePath();
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return errno == ENOENT ? OpenResult::Missing : OpenResult::Failed;
  std::string text;
  if (!S_ISREG(info.st_mode) || ::access(path.c_str(), R_OK | W_OK) != 0 || !ReadWholeFile(path, text)) {
    return OpenResult::Failed;
  }
  settings = IniFile::Parse(text);
  return OpenResult::Opened;
}

bool CreateSettings() {
  return CreateFolderTree(GetSettingsFolder()) && WriteFileAtomically(SettingsFilePath(), IniFile().Serialize(), 0644);
}

std::optional<std::string> ReadValue(const IniFile& settings, std::string_view name) {
  std::optional<std::string> value = settings.Get(kSection, name);
  if (value && value->size() + 1 > kValueBufferBytes) return std::nullopt;
  return value;
}

// Quotes a path for the Exec key of a desktop entry: inside double quotes,
// '"', '`', '$' and '\' take a backslash, and every backslash is doubled again
// by the string escaping of the file; '%' is doubled for field codes.
std::string ExecQuoted(const std::string& path) {
  std::string out = "\"";
  for (char c : path) {
    if (c == '\\') out += "\\\\\\\\";
    else if (c == '"' || c == '`' || c == '$') out += std::string("\\\\") + c;
    else if (c == '%') out += "%%";
    else out += c;
  }
  return out + "\"";
}

// Escapes a plain string value of a desktop entry.
std::string DesktopString(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\t') out += "\\t";
    else out += c;
  }
  return out;
}

}  // namespace

std::string SettingsFilePath() { return GetSettingsFolder() + "settings.ini"; }

int ReadLanguageId() {
  IniFile settings;
  switch (OpenSettings(settings)) {
    case OpenResult::Missing:
      return CreateSettings() ? 0 : kFallbackLanguageId;
    case OpenResult::Failed:
      return kFallbackLanguageId;
    case OpenResult::Opened:
      break;
  }
  const std::optional<std::string> value = ReadValue(settings, "LCID");
  return value ? ZephUI::ParseDecimal(std::string_view(*value)) : 0;
}

void WriteLanguageId() { WriteSettingString("LCID", ZephUI::DecimalText(GetLanguageId())); }

int ReadSettingInt(std::string_view valueName) {
  IniFile settings;
  const OpenResult result = OpenSettings(settings);
  if (result == OpenResult::Missing) CreateSettings();
  if (result != OpenResult::Opened) return 0;
  const std::optional<std::string> value = ReadValue(settings, valueName);
  return value ? ZephUI::ParseDecimal(std::string_view(*value)) : 0;
}

void WriteSettingString(std::string_view valueName, std::u16string_view text) {
  IniFile settings;
  if (OpenSettings(settings) != OpenResult::Opened) return;
  settings.Set(kSection, valueName, ZephUI::ToUtf8(text));
  WriteFileAtomically(SettingsFilePath(), settings.Serialize(), 0644);
}

std::string AutoRunFilePath() { return GetAutostartFolder() + DeviceNameForFiles() + ".desktop"; }

void SetAutoRun(bool enabled) {
  const std::string path = AutoRunFilePath();
  if (!enabled) {
    ::unlink(path.c_str());
    return;
  }
  IniFile entry;
  const std::string section = "Desktop Entry";
  entry.Set(section, "Type", "Application");
  entry.Set(section, "Name", DesktopString(DeviceNameForFiles()));
  entry.Set(section, "Exec", ExecQuoted(GetModuleFolder() + std::string(kExecutableName)));
  entry.Set(section, "Terminal", "false");
  if (CreateFolderTree(GetAutostartFolder())) WriteFileAtomically(path, entry.Serialize(), 0644);
}

bool IsAutoRunSet() {
  std::string text;
  if (!ReadWholeFile(AutoRunFilePath(), text)) return false;
  const std::optional<std::string> exec = IniFile::Parse(text).Get("Desktop Entry", "Exec");
  return exec && !exec->empty() && exec->size() + 1 <= kValueBufferBytes;
}
