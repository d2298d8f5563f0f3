// What the lighting page needs from the window it sits in: the store, the
// worker's queue, the keyboard's family and connection, and the switches of
// the live light sources. The main window serves it; tests put a fake in its
// place.
#pragma once

#include <cstdint>
#include <string>

#include "lighting/Visualizer.h"
#include "mainwindow/JobCodes.h"
#include "store/Records.h"

class ProfileStore;

/// Whether queueing a job also puts up the wait dialog until the worker ends it.
enum class WaitDialog { Show, None };

class LightPageHost {
 public:
  virtual ~LightPageHost() = default;

  /// The profile store of the loaded keyboard.
  virtual ProfileStore& Store() = 0;
  /// Creates the layout's default lighting rows when the store has none.
  virtual void EnsureLightingRows() = 0;
  /// Queues a job; with Show, a registered wait dialog is replaced by a new one.
  virtual void QueueJob(JobCode code, WaitDialog wait) = 0;
  /// Queues a job once, after everything queued so far (an earlier waiting copy is dropped).
  virtual void QueueJobLast(JobCode code) = 0;
  /// True while any job waits or runs.
  virtual bool JobsPending() const = 0;
  /// Device type of the loaded layout.
  virtual int DeviceType() const = 0;
  /// Connection mode of the keyboard (0 wired, 1 or 2 the others).
  virtual int ConnectionMode() const = 0;
  /// True while the lighting tab is the open one.
  virtual bool LightingTabOpen() const = 0;
  /// The current mode's flags, which the worker and the live lighting read.
  virtual void SetLightingModeFlags(std::uint32_t flags) = 0;
  /// The next lighting job sends the full mode.
  virtual void MarkLightingFreshlyChosen() = 0;
  /// The 0-based selection of the custom set list, which lighting jobs carry.
  virtual void SetCustomSet(int index) = 0;
  /// Sends the custom set selection at once (family A), bypassing the worker.
  virtual void SelectCustomSetNow(const LightRecord& row, int index) = 0;
  /// Family B music: gain (slider / 50), effect and refresh period in milliseconds.
  virtual void SetMusicLevelSettings(double gain, int effect, int periodMs) = 0;
  /// Family A music: the visualiser records this source from now on (empty: the default output's monitor).
  virtual void FollowAudioSource(const std::string& sourceName) = 0;
  /// Family A music: the visualiser takes the layer (it pauses around the change) and paints as told.
  virtual void SetMusicLayer(const MusicLayerRecord& layer, Painting afterwards) = 0;
};
