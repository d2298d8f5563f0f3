// A fresh temporary folder per test, removed with everything in it afterwards,
// and an environment whose XDG folders and device name point into it.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace testsupport {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  /// The folder, with a trailing '/'.
  const std::string& Path() const { return path_; }
  /// Writes a file below the folder (creating parents) and returns its path.
  std::string Write(const std::string& relative, const std::string& bytes) const;
  /// Reads a file below the folder; empty when missing.
  std::string Read(const std::string& relative) const;
  /// True when the path below the folder exists.
  bool Exists(const std::string& relative) const;

 private:
  std::string path_;
};

/// Points XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_RUNTIME_DIR and HOME into a temporary folder and sets the device name; restores all on destruction.
class TempUserEnvironment {
 public:
  explicit TempUserEnvironment(const std::u16string& deviceName = u"Test Device");
  ~TempUserEnvironment();

  /// The folder that holds the XDG folders.
  const TempFolder& Root() const { return root_; }
  /// Sets or unsets one variable for the life of this environment.
  void Set(const std::string& name, const std::optional<std::string>& value);

 private:
  TempFolder root_;
  std::map<std::string, std::optional<std::string>> saved_;
  std::u16string savedDeviceName_;
};

}  // namespace testsupport
