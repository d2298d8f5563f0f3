#include "mainwindow/keypage/SpecialKeyRunner.h"

#include <utility>

#include "device/KeyCodes.h"
#include "macros/virtualdevice/VHidev.h"
#include "store/ProfileStore.h"
#include "zephui/Message.h"

namespace {

constexpr ZephUI::UINT kSpecialKeyMessage = 1092;

}  // namespace

SpecialKeyRunner::SpecialKeyRunner(ProfileStore& store, VHidev& keyboard, ZephUI::HWND window,
                                   std::function<int()> currentProfile)
    : store_(store), keyboard_(keyboard), window_(window), currentProfile_(std::move(currentProfile)) {}

bool SpecialKeyRunner::OnFilterKey(int keyCode, bool pressed) {
  KeyAssignmentRecord row;
  if (!store_.ReadKeyAssignment(currentProfile_(), 0, keyCode, row)) return false;
  const auto kind = static_cast<AssignmentType>(row.macroType);
  switch (kind) {
    case AssignmentType::FunctionGroup: PlayMedia(row.macroValue, pressed); return true;
    case AssignmentType::OpenProgram:
    case AssignmentType::OpenWebAddress:
    case AssignmentType::TypeText:
    case AssignmentType::SwitchProfile:
      if (pressed) ZephUI::PostMessage(window_, kSpecialKeyMessage, 0, static_cast<ZephUI::LPARAM>(row.macroValue));
      return true;
    default: return false;
  }
}

void SpecialKeyRunner::PlayMedia(int value, bool pressed) {
  if (value < 1 || value > static_cast<int>(std::size(kMediaCodes)) || !keyboard_.openVirtualDevice()) return;
  keyboard_.setConsumer(pressed ? KeyCodes::consumerUsage(kMediaCodes[value - 1]) : 0);
}
