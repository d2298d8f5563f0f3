// Hands the lighting and settings pages their keyboard pictures and the
// settings a layout load reports, and everything on to the next views.
#pragma once

#include "catalogue/KeyboardLayout.h"

class LightPage;
class SettingsPage;

class PictureFanOut : public LayoutViews {
 public:
  /// All must outlive the fan-out.
  PictureFanOut(LayoutViews& next, LightPage& lights, SettingsPage& settings)
      : next_(next), lights_(lights), settings_(settings) {}

  void SetTabVisible(int item, bool visible) override { next_.SetTabVisible(item, visible); }
  void SetFirmwareButtonVisible(bool visible) override;
  void SetLightSliderMaximums(int brightnessMax, int speedMax) override;
  void ClearKeyItems(LayoutPicture picture) override;
  void SetPicture(LayoutPicture picture, const ZephUI::Rect& rect, const std::u16string& image, int width,
                  int height) override;
  void AddKeyItem(LayoutPicture picture, const LayoutKey& key) override;

 private:
  LayoutViews& next_;
  LightPage& lights_;
  SettingsPage& settings_;
};
