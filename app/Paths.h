// Where the program's files live: beside the executable (product data) and
// in the user's XDG folders (settings, autostart entry, database, downloads).
// Every folder is returned as UTF-8 text with a trailing '/'.
#pragma once

#include <string>

/// The folder of the running executable.
std::string GetModuleFolder();

/// The per-user data folder: $XDG_DATA_HOME (default ~/.local/share), then "<device name> Files/".
std::string GetUserDataFolder();

/// The per-user settings folder: $XDG_CONFIG_HOME (default ~/.config), then "<device name>/".
std::string GetSettingsFolder();

/// The folder of login autostart entries: $XDG_CONFIG_HOME/autostart/.
std::string GetAutostartFolder();

/// The folder for runtime files such as locks: $XDG_RUNTIME_DIR, else /tmp.
std::string GetRuntimeFolder();

/// The device name as one file-name component: '/' would make it a path, so it becomes '_'.
std::string DeviceNameForFiles();

/// Creates the folder and every missing parent, outermost first; true when the folder exists afterwards.
bool CreateFolderTree(const std::string& path);
