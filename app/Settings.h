// Per-user settings of the program: the interface language ("LCID"), the
// close-button behaviour ("exit_mode") and starting at login. They live in
// "<settings folder>/settings.ini"; the file plays the part of a settings key
// that exists once the program has run. Values are decimal text.
#pragma once

#include <string>
#include <string_view>

/// Language id used when the settings cannot be opened at all.
inline constexpr int kFallbackLanguageId = 1033;

/// The settings file's path.
std::string SettingsFilePath();

/// The stored "LCID": 0 when missing, empty, not a number or the settings were just created; 1033 when they cannot be opened or created.
int ReadLanguageId();

/// Stores the process-wide language id as "LCID"; does nothing when the settings cannot be opened.
void WriteLanguageId();

/// The stored value as a number; 0 whenever it cannot be read.
int ReadSettingInt(std::string_view valueName);

/// Stores the text under the value name; does nothing when the settings cannot be opened.
void WriteSettingString(std::string_view valueName, std::u16string_view text);

/// The login autostart entry's path: "<autostart folder>/<device name>.desktop".
std::string AutoRunFilePath();

/// Adds (true) or removes (false) the login autostart entry that starts the program from its folder.
void SetAutoRun(bool enabled);

/// True when the autostart entry exists and its command fits in 255 bytes.
bool IsAutoRunSet();
