// A second copy of a program, reduced to what it does on start: asks the
// running copy's marked window to come forward. Exit code 0 when a window
// was found, 1 when none, 2 without a display.
#include "zephui/Backend.h"
#include "zephui/Text.h"
#include "zephui/WindowMark.h"

int main(int argc, char** argv) {
  if (argc != 2 || !ZephUI::SelectBackend(ZephUI::BackendKind::X11)) return 2;
  return ZephUI::ActivateMarkedWindow(ZephUI::ToUtf16(argv[1])) ? 0 : 1;
}
