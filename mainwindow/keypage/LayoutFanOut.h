// Hands what a layout load reports to the frame, except the key page's
// picture, which goes to the key page.
#pragma once

#include "catalogue/KeyboardLayout.h"

class KeyPage;

class LayoutFanOut : public LayoutViews {
 public:
  /// Both must outlive the fan-out.
  LayoutFanOut(LayoutViews& frame, KeyPage& page) : frame_(frame), page_(page) {}

  void SetTabVisible(int item, bool visible) override { frame_.SetTabVisible(item, visible); }
  void SetFirmwareButtonVisible(bool visible) override { frame_.SetFirmwareButtonVisible(visible); }
  void SetLightSliderMaximums(int brightnessMax, int speedMax) override {
    frame_.SetLightSliderMaximums(brightnessMax, speedMax);
  }
  void ClearKeyItems(LayoutPicture picture) override;
  void SetPicture(LayoutPicture picture, const ZephUI::Rect& rect, const std::u16string& image, int width,
                  int height) override;
  void AddKeyItem(LayoutPicture picture, const LayoutKey& key) override;

 private:
  LayoutViews& frame_;
  KeyPage& page_;
};
