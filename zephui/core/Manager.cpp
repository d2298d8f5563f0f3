#include "zephui/Manager.h"

#include <utility>

namespace ZephUI {
namespace {

// Written at start-up before any window exists, read afterwards.
struct GlobalSettings {
  std::u16string deviceName = u"Device Driver";
  std::u16string fontName = u"SourceHanSansCN-Regular";
  int fontWidth = 14;
};

GlobalSettings& Globals() {
  static GlobalSettings settings;
  return settings;
}

}  // namespace

void Manager::SetDeviceName(std::u16string name) { Globals().deviceName = std::move(name); }

std::u16string Manager::GetDeviceName() { return Globals().deviceName; }

void Manager::SetFont(std::u16string faceName, int width) {
  Globals().fontName = std::move(faceName);
  Globals().fontWidth = width;
}

void Manager::SetFontName(std::u16string faceName) { Globals().fontName = std::move(faceName); }

std::u16string Manager::GetFontName() { return Globals().fontName; }

int Manager::GetFontWidth() { return Globals().fontWidth; }

ArgbColor Manager::GetSelectColor() { return ArgbColor::FromArgb(0xFF, 16, 168, 253); }

std::u16string Manager::GetTheme() { return u"theme1/"; }

}  // namespace ZephUI
