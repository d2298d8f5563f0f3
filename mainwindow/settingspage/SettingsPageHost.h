// What the settings page needs from the window it sits in: questions, the
// worker's queue, the language refresh, the program folder, and the resets
// that reach into the store, the key filter and the other pages. The main
// window serves it; tests put a fake in its place.
#pragma once

#include <string>

#include "mainwindow/JobCodes.h"
#include "mainwindow/keypage/KeyPageHost.h"
#include "mainwindow/lightpage/LightPageHost.h"

class SettingsPageHost {
 public:
  virtual ~SettingsPageHost() = default;

  /// The program's message box; 1 for the first button, 2 for the second.
  virtual int Ask(const std::u16string& text, const std::u16string& title, BoxStyle style) = 0;
  /// Queues a job; with Show, the wait dialog stays up until the worker ends it.
  virtual void QueueJob(JobCode code, WaitDialog wait) = 0;
  /// Sets every text of the window again in the current language.
  virtual void RefreshLanguage() = 0;
  /// The product data folder, with a trailing '/'.
  virtual std::string ProgramFolder() const = 0;
  /// Device type of the loaded layout.
  virtual int DeviceType() const = 0;
  /// Replaces the profile database with a new empty one and reprograms the key filter; false without a keyboard entry.
  virtual bool RecreateStore() = 0;
  /// Deletes the current profile's key assignments, shows the profile again and reprograms the key filter.
  virtual void ResetCurrentProfileKeys() = 0;
  /// Selects the first custom set of the lighting page.
  virtual void SelectFirstCustomSet() = 0;
};
