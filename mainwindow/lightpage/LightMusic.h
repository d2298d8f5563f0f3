// The music settings of the lighting page. Family A keyboards are lit by the
// program's visualiser, whose settings are the stored music layer; family B
// keyboards light themselves from a level the program sends, with settings
// that live only while the program runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mainwindow/lightpage/AudioMonitorList.h"

#include "store/Records.h"

class LightControls;
class LightPageHost;

class LightMusic {
 public:
  /// Both must outlive this object.
  LightMusic(LightPageHost& host, const LightControls& controls);

  /// Family A: makes sure a music layer exists and shows it; the visualiser takes it and paints when `paint`.
  void Load(bool paint);
  /// The sounds the visualiser can follow, as the device list offers them.
  void SetMonitors(const std::vector<AudioMonitor>& monitors);
  /// Shows the music controls of the keyboard's family when the mode has the music flag.
  void ShowFor(std::uint32_t flags) const;
  /// Family B: hands the effect, sensitivity and refresh period of the controls to the level sender.
  void SendLevelSettings();
  /// A music control's notice; false when the id is not one of them.
  bool OnClicked(std::uint32_t id, bool paint);

  /// Family B settings as the controls last set them.
  int Effect() const { return effect_; }
  double Gain() const { return gain_; }
  int PeriodMs() const { return periodMs_; }
  int ColourIndex() const { return colourIndex_; }

 private:
  bool FamilyA() const;
  bool ReadLayer(MusicLayerRecord& layer);
  std::string SourceOf(int deviceIndex) const;
  void HandToVisualiser(const MusicLayerRecord& layer, bool paint);
  void ShowLayer(const MusicLayerRecord& layer) const;
  void OnFamilyA(std::uint32_t id, bool paint);
  void OnFamilyB(std::uint32_t id);

  LightPageHost& host_;
  const LightControls& controls_;
  std::vector<AudioMonitor> monitors_;  // as the device list shows them; item data is the index
  int effect_ = 1;
  double gain_ = 2.0;
  int periodMs_ = 33;
  int colourIndex_ = 0;
};
