#include "mainwindow/Worker.h"

#include <optional>

#include "device/Clock.h"
#include "mainwindow/WorkerHost.h"

namespace {

bool WritesSettings(JobCode code) {
  return code == JobCode::JOB_APPLY_KEYS || code == JobCode::JOB_APPLY_LIGHTING || code == JobCode::JOB_APPLY_CUSTOM_LIGHT ||
         code == JobCode::JOB_FACTORY_RESET;
}

}  // namespace

Worker::Worker(WorkerHost& host, Clock& clock) : CThreadBasic(clock), host_(host) {}

Worker::~Worker() { Stop(); }

void Worker::QueueJob(JobCode code) { jobs_.PushBack(code); }

// The front is left out: it may be the job running now, and it is popped when that job ends.
void Worker::QueueJobLast(JobCode code) { jobs_.MoveToBack(code); }

void Worker::QueueMacro(std::uint32_t macroId) { macros_.PushBack(macroId); }

void Worker::Step() {
  // The front stays in the queue while its job runs; only this thread removes entries.
  const std::optional<JobCode> front = jobs_.Front();
  const StepEnd end = front ? RunFrontJob(*front) : RunIdleStep();
  if (end == StepEnd::PlayMacro) PlayNextMacro();
}

Worker::StepEnd Worker::RunFrontJob(JobCode code) {
  RunJobNeedingNoKeyboard(code);
  if (!KeyboardPresent()) {
    // Dropped, not kept: the page that queued it has nothing to wait for.
    jobs_.PopFront();
    return StepEnd::Return;
  }
  host_.EnableWindow(WindowInput::Disabled);
  RunJobNeedingKeyboard(code);
  host_.EnableWindow(WindowInput::Enabled);
  jobs_.PopFront();
  return StepEnd::PlayMacro;
}

Worker::StepEnd Worker::RunIdleStep() {
  if (host_.Presence().interfaces == HidInterfaces::None) return StepEnd::Return;
  if (LiveLightingWanted()) host_.LiveLightingStep();
  return StepEnd::PlayMacro;
}

void Worker::RunJobNeedingNoKeyboard(JobCode code) {
  switch (code) {
    case JobCode::JOB_FIRST_SCAN:
      if (firstScanDone_) return;
      firstScanDone_ = true;
      host_.RescanAndRefresh();
      host_.StartVisualiser();
      return;
    case JobCode::JOB_DEVICE_ARRIVED:
    case JobCode::JOB_DEVICE_REMOVED:
      host_.RescanAndRefresh();
      return;
    case JobCode::JOB_CHECK_SOFTWARE:
      host_.CheckSoftware();
      return;
    default:
      return;
  }
}

void Worker::RunJobNeedingKeyboard(JobCode code) {
  switch (code) {
    case JobCode::JOB_LOAD_PAGES: host_.LoadPages(); break;
    case JobCode::JOB_APPLY_KEYS: host_.ApplyKeys(); break;
    case JobCode::JOB_APPLY_LIGHTING: host_.ApplyLighting(); break;
    case JobCode::JOB_APPLY_CUSTOM_LIGHT: host_.ApplyCustomLight(); break;
    case JobCode::JOB_FACTORY_RESET: host_.FactoryReset(); break;
    case JobCode::JOB_CHECK_FIRMWARE: host_.CheckFirmware(); break;
    case JobCode::JOB_INSTALL_SOFTWARE: host_.InstallSoftware(); break;
    case JobCode::JOB_UPDATE_FIRMWARE: host_.UpdateFirmware(); break;
    default: break;  // jobs that need no keyboard already ran; unknown codes do nothing
  }
  if (WritesSettings(code)) SettleAfterSettingsWrite();
}

void Worker::SettleAfterSettingsWrite() {
  host_.CloseWaitDialog();
  // Gives the keyboard time to take the settings before the next job talks to it.
  GetClock().SleepMs(kSettleMs);
}

bool Worker::KeyboardPresent() const {
  const PresenceFlags presence = host_.Presence();
  return presence.interfaces == HidInterfaces::Found && presence.keyboard == KeyboardMatch::Matched;
}

bool Worker::LiveLightingWanted() const {
  return host_.IsWindowVisible() && host_.CurrentTabIndex() == kLightingTab &&
         host_.DeviceType() < kLiveLightingTypeLimit && (host_.LightingModeFlags() & kLiveLightingModes) != 0;
}

// The id leaves the queue only after the macro has played, so a macro key
// pressed meanwhile sees a busy queue and queues nothing.
void Worker::PlayNextMacro() {
  if (const std::optional<std::uint32_t> macroId = macros_.Front()) {
    host_.PlayMacro(*macroId);
    macros_.PopFront();
  }
}

bool Worker::Empty() const { return macros_.Size() == 0; }

void Worker::Append(std::uint32_t macroId) { QueueMacro(macroId); }
