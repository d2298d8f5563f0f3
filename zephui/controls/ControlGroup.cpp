#include "controls/ControlGroup.h"

#include "zephui/PaintManager.h"

namespace ZephUI {

std::vector<MControl*> ControlGroup::Others(const MControl& control) {
  std::vector<MControl*> list;
  // A container's children group inside it; a dialog's own controls group across the window.
  if (const auto* container = dynamic_cast<const MControl*>(control.GetParantObject())) {
    list = container->GetControls();
  } else if (control.GetManager() != nullptr) {
    list = control.GetManager()->GetControls();
  }
  std::erase_if(list, [&control](const MControl* other) {
    return other == &control || !other->IsClass(control.GetClassNameW());
  });
  return list;
}

}  // namespace ZephUI
