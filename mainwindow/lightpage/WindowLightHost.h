// The main window's side of the lighting page: the services' store, worker
// and keyboard, the wait dialog, and the window's lighting state.
#pragma once

#include "mainwindow/lightpage/LightPageHost.h"

class KeyboardDlg;

class WindowLightHost : public LightPageHost {
 public:
  /// Serves the page of `window`, which must outlive it.
  explicit WindowLightHost(KeyboardDlg& window) : window_(window) {}

  ProfileStore& Store() override;
  void EnsureLightingRows() override;
  void QueueJob(JobCode code, WaitDialog wait) override;
  void QueueJobLast(JobCode code) override;
  bool JobsPending() const override;
  int DeviceType() const override;
  int ConnectionMode() const override;
  bool LightingTabOpen() const override;
  void SetLightingModeFlags(std::uint32_t flags) override;
  void MarkLightingFreshlyChosen() override;
  void SetCustomSet(int index) override;
  void SelectCustomSetNow(const LightRecord& row, int index) override;
  void SetMusicLevelSettings(double gain, int effect, int periodMs) override;
  void FollowAudioSource(const std::string& sourceName) override;
  void SetMusicLayer(const MusicLayerRecord& layer, Painting afterwards) override;

 private:
  KeyboardDlg& window_;
};
