#include "tests/demo/DemoInspector.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <utility>
#include <vector>

#include "tests/demo/SimulatedKeyboardState.h"
#include "zephui/CComboBoxList.h"
#include "zephui/DListBox.h"
#include "zephui/KEY_INFO.h"
#include "zephui/KeyFuncControl.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/MControlFont.h"
#include "zephui/MDialog.h"
#include "zephui/MPopupWnd.h"
#include "zephui/MRowList.h"
#include "zephui/MTabCtrl.h"
#include "zephui/Manager.h"
#include "zephui/TabItemInfo.h"
#include "zephui/Text.h"
#include "zephui/Window.h"

using namespace ZephUI;

namespace {

// Work handed to the UI thread: a one-shot timer of the main window runs it
// there, since timers may be set from any thread.
constexpr std::uintptr_t kRunTimer = 0x1D5C;
std::mutex g_pendingLock;  // guards g_pending
std::vector<std::function<void()>> g_pending;

void RunPending(HWND hwnd, UINT, std::uintptr_t id, std::uint32_t) {
  // Killed before the queue is taken, so work queued meanwhile sets the timer again.
  KillTimer(hwnd, id);
  std::vector<std::function<void()>> work;
  {
    std::lock_guard lock(g_pendingLock);
    work.swap(g_pending);
  }
  for (auto& job : work) job();
}

HWND MainWindow() {
  for (HWND hwnd : GetTopLevelWindows()) {
    if (GetProp(hwnd, Manager::GetDeviceName()) != 0) return hwnd;
  }
  return nullptr;
}

bool RunOnUiThread(std::function<void()> job) {
  const HWND main = MainWindow();
  if (main == nullptr) return false;
  {
    std::lock_guard lock(g_pendingLock);
    g_pending.push_back(std::move(job));
  }
  return SetTimer(main, kRunTimer, 1, &RunPending) != 0;
}

// Written beside the target and renamed, so a reader never sees half an answer.
void WriteWhole(const std::string& path, const std::string& text) {
  const std::string part = path + ".part";
  std::ofstream(part, std::ios::trunc) << text;
  if (std::rename(part.c_str(), path.c_str()) != 0) std::fprintf(stderr, "inspector: cannot write %s\n", path.c_str());
}

class ControlLister {
 public:
  explicit ControlLister(HWND hwnd) : hwnd_(hwnd) {}

  void Window(std::ostringstream& out, int index) {
    Rect frame;
    GetWindowRect(hwnd_, frame);
    Line(out, "window", 0, index, 0, ToUtf8(GetClassName(hwnd_)), ToUtf8(GetWindowText(hwnd_)), frame);
    PaintManager* manager = ManagerOf(reinterpret_cast<MWindow*>(GetWindowUserData(hwnd_)));
    if (manager == nullptr) return;
    int position = 0;
    for (MControl* control : manager->GetAreas()) Control(out, *control, position);
    for (MControl* control : manager->GetControls()) Control(out, *control, position);
  }

 private:
  static PaintManager* ManagerOf(MWindow* window) {
    if (auto* dialog = dynamic_cast<MDialog*>(window)) return &dialog->GetPaintManager();
    if (auto* popup = dynamic_cast<MPopupWnd*>(window)) return &popup->GetPaintManager();
    return nullptr;
  }

  void Control(std::ostringstream& out, MControl& control, int& position) {
    if (!control.IsVisible()) return;
    const auto* font = dynamic_cast<const MControlFont*>(&control);
    Line(out, "control", control.GetControlID(), position++, 0, ToUtf8(control.GetClassNameW()),
         font != nullptr ? ToUtf8(font->GetTitle()) : "", Screen(control.GetRect()));
    Parts(out, control);
    for (MControl* child : control.GetAreas()) Control(out, *child, position);
    for (MControl* child : control.GetControls()) Control(out, *child, position);
  }

  void Parts(std::ostringstream& out, MControl& control) {
    const Rect at = control.GetRect();
    const std::uint32_t id = control.GetControlID();
    if (auto* picture = dynamic_cast<KeyboardCtrl*>(&control)) {
      for (const KEY_INFO* key : picture->GetKeyItems()) {
        Line(out, "key", id, key->index, static_cast<int>(key->keyValue), "", ToUtf8(key->name),
             Screen(Offset(picture->GetRealRect(key->rect), at)));
      }
    }
    if (auto* picker = dynamic_cast<KeyFuncControl*>(&control)) {
      for (int i = 0; i < picker->GetItemCount(); ++i) Line(out, "item", id, i, 0, "", "", Screen(Offset(picker->GetItemRect(i), at)));
    }
    if (auto* rows = dynamic_cast<MRowList*>(&control)) {
      const auto* list = dynamic_cast<DListBox*>(rows);
      for (int i = 0; i < rows->GetItemCount(); ++i) {
        const Rect row = rows->GetRowRect(i);
        if (row.bottom <= at.top || row.top >= at.bottom) continue;  // scrolled out of sight
        Line(out, "row", id, i, list != nullptr ? list->GetItemData(i) : 0, "",
             list != nullptr ? ToUtf8(list->GetItemText(i)) : "", Screen(row));
      }
    }
    // A combo box's drop-down list: rows of a fixed height from its top, listed while they all fit.
    if (auto* drop = dynamic_cast<CComboBoxList*>(&control); drop != nullptr && !drop->HasScrollBar()) {
      for (int i = 0; i < drop->GetCount(); ++i) {
        const int top = at.top + i * COMBO_ROW_HEIGHT;
        Line(out, "row", id, i, 0, "", "", Screen(Rect{at.left, top, at.right, top + COMBO_ROW_HEIGHT}));
      }
    }
    if (auto* tabs = dynamic_cast<MTabCtrl*>(&control)) {
      for (int i = 0; i < tabs->GetItemCount(); ++i) {
        if (!tabs->GetItemVisible(i)) continue;
        const TabItemInfo* tab = tabs->GetItemInfo(i);
        Line(out, "tab", id, i, tabs->GetItemID(i), "", ToUtf8(tab->title), Screen(tab->rect));
      }
    }
  }

  static Rect Offset(const Rect& inner, const Rect& at) {
    return Rect{at.left + inner.left, at.top + inner.top, at.left + inner.right, at.top + inner.bottom};
  }
  Rect Screen(Rect client) const {
    ClientToScreen(hwnd_, client);
    return client;
  }
  static void Line(std::ostringstream& out, const char* kind, std::uint32_t id, int index, int value,
                   const std::string& className, std::string text, const Rect& rect) {
    for (char& c : text) {
      if (c == '\t' || c == '\n') c = ' ';
    }
    out << kind << '\t' << id << '\t' << index << '\t' << value << '\t' << className << '\t' << text << '\t'
        << rect.left << '\t' << rect.top << '\t' << rect.right << '\t' << rect.bottom << '\n';
  }

  HWND hwnd_;
};

std::string ControlsText() {
  std::ostringstream out;
  int index = 0;
  for (HWND hwnd : GetTopLevelWindows()) {
    if (IsWindowVisible(hwnd)) ControlLister(hwnd).Window(out, index++);
  }
  return out.str();
}

template <typename T>
void Values(std::ostringstream& out, const char* name, const std::vector<T>& values) {
  out << name;
  for (const T& value : values) out << ' ' << value;
  out << '\n';
}

}  // namespace

DemoInspector::DemoInspector(std::shared_ptr<const hidsim::KeyboardFirmware> firmware, const SimulatedKeySource& keys,
                             const PassedKeyLog& passed, const PlayedKeyLog& played)
    : firmware_(std::move(firmware)), keys_(keys), passed_(passed), played_(played) {}

bool DemoInspector::WriteControls(const std::string& path) {
  return RunOnUiThread([path] { WriteWhole(path, ControlsText()); });
}

bool DemoInspector::WriteState(const std::string& path) {
  return RunOnUiThread([this, path] { WriteWhole(path, StateText()); });
}

std::string DemoInspector::StateText() const {
  const SimulatedKeyboardState state = ReadSimulatedKeyboard(*firmware_);
  std::ostringstream out;
  out << "frame " << static_cast<int>(state.frame) << '\n';
  if (state.mode) out << "mode " << *state.mode << '\n';
  out << "brightness " << state.brightness << '\n' << "speed " << state.speed << '\n';
  out << "direction " << state.direction << '\n' << "customSet " << state.customSet << '\n';
  if (state.colourIndex) out << "colourIndex " << *state.colourIndex << '\n';
  for (std::size_t light = 0; light < state.lights.size(); ++light) {
    const LightColour& colour = state.lights[light];
    if (colour.lit) out << "light " << light << ' ' << +colour.red << ' ' << +colour.green << ' ' << +colour.blue << '\n';
  }
  // The logs keep only the latest presses; their counts tell a reader which of them are new.
  Values(out, "passed", passed_.Keys());
  out << "passedCount " << passed_.ChangeCount() << '\n';
  Values(out, "played", played_.Usages());
  out << "playedCount " << played_.Count() << '\n';
  out << "served " << (keys_.Served() ? 1 : 0) << '\n';
  return out.str();
}
