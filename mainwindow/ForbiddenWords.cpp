#include "mainwindow/ForbiddenWords.h"

#include <algorithm>

void ForbiddenWords::Fill() {
  // Common insults and their initials in Latin letters, and their CJK forms.
  words_ = {u"fuck", u"shit", u"bitch", u"cunt", u"dick", u"wtf", u"stfu", u"nmsl",
            u"twat", u"tmd", u"\u50BB\u903C", u"\u64CD", u"\u5988\u7684", u"\u8D31", u"\u6DF7\u86CB"};
}

bool ForbiddenWords::Contains(std::u16string_view text) const {
  std::u16string lower(text);
  // Only Latin capitals have a lower case among the entries' scripts worth folding here.
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; });
  return std::any_of(words_.begin(), words_.end(),
                     [&lower](const std::u16string& word) { return lower.find(word) != std::u16string::npos; });
}
