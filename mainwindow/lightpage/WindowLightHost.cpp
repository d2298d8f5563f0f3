#include "mainwindow/lightpage/WindowLightHost.h"

#include "mainwindow/KeyboardDlg.h"
#include "mainwindow/Worker.h"
#include "store/StoreDefaults.h"

ProfileStore& WindowLightHost::Store() { return window_.Services().Store(); }

void WindowLightHost::EnsureLightingRows() {
  StoreDefaults::EnsureDefaultLighting(window_.Services().Store(), window_.Services().Layout());
}

void WindowLightHost::QueueJob(JobCode code, WaitDialog wait) {
  window_.QueueJob(code);
  if (wait == WaitDialog::Show) window_.ShowWaitDialog();
}

void WindowLightHost::QueueJobLast(JobCode code) { window_.Services().QueueJobLast(code); }

bool WindowLightHost::JobsPending() const { return window_.Services().JobsPending(); }

int WindowLightHost::DeviceType() const { return window_.Services().DeviceType(); }

int WindowLightHost::ConnectionMode() const { return window_.Services().ConnectionMode(); }

bool WindowLightHost::LightingTabOpen() const { return window_.CurrentTabIndex() == Worker::kLightingTab; }

void WindowLightHost::SetLightingModeFlags(std::uint32_t flags) { window_.SetLightingModeFlags(flags); }

void WindowLightHost::MarkLightingFreshlyChosen() { window_.Services().MarkLightingFreshlyChosen(); }

void WindowLightHost::SetCustomSet(int index) { window_.Services().SetCustomSet(index); }

void WindowLightHost::SelectCustomSetNow(const LightRecord& row, int index) {
  window_.Services().SelectCustomSetNow(row, index);
}

void WindowLightHost::SetMusicLevelSettings(double gain, int effect, int periodMs) {
  window_.Services().SetMusicLevelSettings(gain, effect, periodMs);
}

void WindowLightHost::FollowAudioSource(const std::string& sourceName) {
  window_.Services().MusicVisualizer().setCaptureSource(sourceName);
}

void WindowLightHost::SetMusicLayer(const MusicLayerRecord& layer, Painting afterwards) {
  window_.Services().MusicVisualizer().setMusicLayer(layer, afterwards);
}
