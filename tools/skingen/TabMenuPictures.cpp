#include "TabMenuPictures.h"

#include "Draw.h"

namespace skingen {
namespace {

using namespace palette;

// Button faces: rest, hover, pressed, disabled.
void BoxButton(cairo_t* cr, int frame, double w, double h) {
  switch (StateOfFrame(frame)) {
    case State::Normal: Panel(cr, 0, 0, w, h, 4, Hex(0x2A2E35), Hex(0x444951)); break;
    case State::Hover: Panel(cr, 0, 0, w, h, 4, Hex(0x30353D), kAccent); break;
    case State::Pressed: Panel(cr, 0, 0, w, h, 4, kAccentDeep, kAccent); break;
    case State::Disabled: Panel(cr, 0, 0, w, h, 4, kPanelOff, kLineOff); break;
  }
}

}  // namespace

void AddTabMenuPictures(std::vector<Picture>& pictures) {
  pictures.push_back(Picture{"msgbox_bk.png", 40, 40, 1, "message box background (nine-slice, corner 8)", PromptBackground});
  pictures.push_back(Picture{"msgbox_btn.png", 90, 30, 4, "message box button face", BoxButton});
}

}  // namespace skingen
