// Words a name chosen by the user (a profile, a macro) may not contain:
// fifteen fixed entries compared as lower-case substrings.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class ForbiddenWords {
 public:
  /// Fills the fixed list.
  void Fill();
  /// True when the lower-cased text contains any entry; an empty list matches nothing.
  bool Contains(std::u16string_view text) const;
  /// The number of entries.
  std::size_t Size() const { return words_.size(); }

 private:
  std::vector<std::u16string> words_;
};
