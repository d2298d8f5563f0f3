// A lighting page host for the page's tests: a real store in a temporary
// folder, the worker's real job queue (nothing runs it), and a record of what
// the page asked of the window.
#pragma once

#include <string>
#include <vector>

#include "catalogue/KeyboardLayout.h"
#include "mainwindow/LockedQueue.h"
#include "mainwindow/lightpage/LightPageHost.h"
#include "store/ProfileStore.h"
#include "store/StoreDefaults.h"

class FakeLightHost : public LightPageHost {
 public:
  ProfileStore& Store() override { return store; }
  void EnsureLightingRows() override { StoreDefaults::EnsureDefaultLighting(store, layout); }
  void QueueJob(JobCode code, WaitDialog wait) override {
    jobs.PushBack(code);
    if (wait == WaitDialog::Show) ++waitDialogs;
  }
  void QueueJobLast(JobCode code) override { jobs.MoveToBack(code); }
  bool JobsPending() const override { return jobs.Size() != 0; }
  int DeviceType() const override { return layout.deviceType; }
  int ConnectionMode() const override { return connectionMode; }
  bool LightingTabOpen() const override { return tabOpen; }
  void SetLightingModeFlags(std::uint32_t value) override { flags = value; }
  void MarkLightingFreshlyChosen() override { ++freshMarks; }
  void SetCustomSet(int index) override { customSet = index; }
  void SelectCustomSetNow(const LightRecord& row, int index) override { directSelections.push_back({row.mode, index}); }
  void SetMusicLevelSettings(double value, int chosenEffect, int) override {
    gain = value;
    effect = chosenEffect;
  }
  void FollowAudioSource(const std::string& sourceName) override { followed.push_back(sourceName); }
  void SetMusicLayer(const MusicLayerRecord& given, Painting afterwards) override {
    layer = given;
    painting = afterwards;
  }

  /// Every job still queued, front first (the queue is emptied).
  std::vector<JobCode> TakeJobs() {
    std::vector<JobCode> all;
    while (auto code = jobs.TakeFront()) all.push_back(*code);
    return all;
  }

  ProfileStore store;
  KeyboardLayout layout;
  LockedQueue<JobCode> jobs;
  int waitDialogs = 0;
  int connectionMode = 0;
  bool tabOpen = true;
  std::uint32_t flags = 0;
  int freshMarks = 0;
  int customSet = -1;
  std::vector<std::pair<int, int>> directSelections;
  double gain = 0;
  int effect = 0;
  MusicLayerRecord layer;
  Painting painting = Painting::Off;
  std::vector<std::string> followed;  // every source the visualiser was told to record, in order
};
