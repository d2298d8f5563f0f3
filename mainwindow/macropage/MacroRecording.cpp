#include "mainwindow/macropage/MacroRecording.h"

#include "macros/recorder/KeyboardHook.h"
#include "mainwindow/macropage/GrabKeyboardHook.h"
#include "mainwindow/macropage/MacroPageHost.h"
#include "mainwindow/macropage/MacroPageIds.h"
#include "mainwindow/macropage/RecordSink.h"

using namespace ZephUI;

MacroRecording::MacroRecording(MacroPageHost& host) : host_(host) {}

MacroRecording::~MacroRecording() { End(); }

bool MacroRecording::Start(int macroId, DelayMode delayMode, int fixedDelayMs) {
  End();
  if (macroId <= 0) return false;
  sink_ = std::make_unique<RecordSink>(host_.Window(), MacroPageMessage::kRecordsWaiting);
  hook_ = host_.MakeRecordingHook();
  if (hook_ == nullptr) {
    sink_.reset();
    return false;
  }
  recorder_ = std::make_unique<MacroRecorder>(*hook_, *sink_);
  // A hook that cannot be installed leaves the recording shown as running without events, as the user expects
  // from a stop button that still has to be pressed.
  recorder_->startRecording(macroId, delayMode, fixedDelayMs);
  return true;
}

void MacroRecording::Stop(CRecordList& list) {
  if (recorder_ != nullptr) recorder_->stopRecording();
  // The hook is gone and no delivery runs any more: whatever waits is the whole rest of the recording.
  if (sink_ != nullptr) sink_->DrainInto(list);
  End();
}

void MacroRecording::End() {
  recorder_.reset();
  hook_.reset();
  sink_.reset();
}

LRESULT MacroRecording::OnHookKey(WPARAM wParam, LPARAM lParam) {
  auto* grab = dynamic_cast<GrabKeyboardHook*>(hook_.get());
  if (grab == nullptr) return 0;
  return grab->Deliver(wParam, lParam) ? 1 : 0;
}

void MacroRecording::ShowWaiting(CRecordList& list) {
  if (sink_ != nullptr) sink_->DrainInto(list);
}
