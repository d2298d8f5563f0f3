// Profile and macro exchange files: a profile's layer-0 key assignments with
// the macros they play, or a single macro, as small UTF-8 XML files. An import
// reads and checks the whole file first, then stores it as one transaction, so
// a broken or hostile file adds nothing at all.
#pragma once

#include <string>

#include "store/MacroLimits.h"

class ProfileStore;

/// What an import asks the pages to show once it has been stored.
class ExchangeListener {
 public:
  virtual ~ExchangeListener() = default;
  /// A macro was created: add it to the macro list (and select it when asked).
  virtual void MacroImported(const std::u16string& name, int macroId, bool select) = 0;
  /// A profile was created and made active: add, select and load it, then apply its keys.
  virtual void ProfileImported(const std::u16string& name, int profileId) = 0;
};

class ExchangeFiles {
 public:
  /// Most key items, macros and steps per macro a file may hold; larger files are refused whole.
  static constexpr int kMaxKeyItems = 4096;
  static constexpr int kMaxMacros = 1024;     ///< see kMaxKeyItems
  static constexpr int kMaxSteps = kMaxMacroSteps;  ///< the store's own limit, so every exported macro imports

  /// Works on this store.
  explicit ExchangeFiles(ProfileStore& store);

  /// Writes the profile's layer-0 assignments and the macros they play; false when the file cannot be written.
  bool ExportProfile(int profileId, const std::string& path);
  /// Imports a profile file (it must have <profileinfo>) as a new profile named after the file; the new profile id, 0 when nothing was imported.
  int ImportProfile(const std::string& path, ExchangeListener& listener);
  /// Writes one macro with its steps; false when it does not exist or the file cannot be written.
  bool ExportMacro(int macroId, const std::string& path);
  /// Imports a macro file as a new macro named after the file; the new macro id, 0 when nothing was imported.
  int ImportMacro(const std::string& path, ExchangeListener& listener);

  /// The name an imported file gives: its file name up to the first '.', empty without a dot.
  static std::u16string NameFromPath(const std::string& path);

 private:
  ProfileStore& store_;
};
