#include "zephui/Font.h"

#include "zephui/Manager.h"

namespace ZephUI {

Font Font::Default() { return Font(Manager::GetFontName(), Manager::GetFontWidth()); }

}  // namespace ZephUI
