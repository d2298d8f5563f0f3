// The interface languages the program can show: one per language file in
// the program's language folder, named in its own language.
#pragma once

#include <string>
#include <vector>

struct LanguageChoice {
  int id = 0;            ///< language id, the file's name (1033 for "1033.lan")
  std::u16string name;   ///< what the list shows
};

class LanguageList {
 public:
  /// The languages with a file in "<programFolder>language/", by id.
  static std::vector<LanguageChoice> Read(const std::string& programFolder);
  /// The shown name of a language id; its number when the program has no name for it.
  static std::u16string NameOf(int id);
};
