// The keys of a keyboard model's picture, read from the product data through
// the layout reader the program itself uses, for the "Simulated keyboard"
// window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalogue/KeyboardLayout.h"
#include "tests/demo/KeyLightsView.h"

class KeyPictureLoader : private LayoutViews {
 public:
  /// The picture of the catalogue keyboard with this device type from "<programFolder>config.xml"
  /// and its layout file; no keys when either is missing.
  static KeyPicture Load(const std::string& programFolder, int deviceType);

 private:
  void SetTabVisible(int, bool) override {}
  void SetFirmwareButtonVisible(bool) override {}
  void SetLightSliderMaximums(int, int) override {}
  void ClearKeyItems(LayoutPicture) override {}
  void SetPicture(LayoutPicture picture, const ZephUI::Rect& rect, const std::u16string& image, int width,
                  int height) override;
  void AddKeyItem(LayoutPicture picture, const LayoutKey& key) override;

  // The layout fills several pages' pictures with the same keys; one is enough.
  std::optional<LayoutPicture> first_;
  std::vector<LayoutKey> keys_;
  ZephUI::Size size_;
};
