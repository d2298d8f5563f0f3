// The pictures the library's own message box names.
#pragma once

#include <vector>

#include "Skins.h"

namespace skingen {

// Appends the message box background and button face.
void AddTabMenuPictures(std::vector<Picture>& pictures);

}  // namespace skingen
