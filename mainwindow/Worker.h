// The main window's worker: every slow operation runs here as a queued job,
// one per step, in queue order. Idle steps feed the live lighting, and every
// step that gets to the end plays one queued software macro.
#pragma once

#include <cstdint>

#include "mainwindow/CThreadBasic.h"
#include "mainwindow/JobCodes.h"
#include "mainwindow/LockedQueue.h"
#include "macros/playback/MacroQueue.h"

class WorkerHost;

class Worker : public CThreadBasic, public MacroQueue {
 public:
  /// Lighting tab index at which idle steps stream live lighting.
  static constexpr int kLightingTab = 3;
  /// Idle steps stream live lighting only for device types below this.
  static constexpr int kLiveLightingTypeLimit = 200;
  /// Lighting mode flags of the music (0x200) and screen (0x400) modes.
  static constexpr std::uint32_t kLiveLightingModes = 0x200 | 0x400;
  /// Pause after a job that wrote settings to the keyboard, in milliseconds.
  static constexpr std::uint32_t kSettleMs = 100;

  /// The host and the clock must outlive the worker.
  Worker(WorkerHost& host, Clock& clock);
  /// Stops the thread while the queues it reads still exist.
  ~Worker() override;

  /// Appends a job code; safe from any thread, never waits for a running job.
  void QueueJob(JobCode code);
  /// Appends a job code and drops the same job waiting earlier, so it runs once, after
  /// everything queued so far; safe from any thread.
  void QueueJobLast(JobCode code);
  /// True while a job waits or runs; safe from any thread.
  bool JobsPending() const { return jobs_.Size() != 0; }
  /// Appends the id of a software macro to play; safe from any thread.
  void QueueMacro(std::uint32_t macroId);
  /// True when no software macro waits or plays.
  bool Empty() const override;
  /// Appends a software macro id (the key filter side's name for QueueMacro).
  void Append(std::uint32_t macroId) override;
  /// One step; the thread runs it every period, tests call it while the thread is stopped.
  void Step() override;

 private:
  enum class StepEnd { PlayMacro, Return };

  StepEnd RunFrontJob(JobCode code);
  StepEnd RunIdleStep();
  void RunJobNeedingNoKeyboard(JobCode code);
  void RunJobNeedingKeyboard(JobCode code);
  void SettleAfterSettingsWrite();
  bool KeyboardPresent() const;
  bool LiveLightingWanted() const;
  void PlayNextMacro();

  WorkerHost& host_;
  LockedQueue<JobCode> jobs_;
  LockedQueue<std::uint32_t> macros_;
  bool firstScanDone_ = false;  // worker thread only
};
