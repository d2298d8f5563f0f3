#include "mainwindow/settingspage/PictureFanOut.h"

#include "mainwindow/lightpage/LightPage.h"
#include "mainwindow/settingspage/SettingsPage.h"

void PictureFanOut::SetFirmwareButtonVisible(bool visible) {
  settings_.SetFirmwareButtonVisible(visible);
  next_.SetFirmwareButtonVisible(visible);
}

void PictureFanOut::SetLightSliderMaximums(int brightnessMax, int speedMax) {
  lights_.SetSliderMaximums(brightnessMax, speedMax);
  next_.SetLightSliderMaximums(brightnessMax, speedMax);
}

void PictureFanOut::ClearKeyItems(LayoutPicture picture) {
  if (picture == LayoutPicture::Lighting) lights_.ClearPictureKeys();
  if (picture == LayoutPicture::Settings) settings_.ClearPictureKeys();
  next_.ClearKeyItems(picture);
}

void PictureFanOut::SetPicture(LayoutPicture picture, const ZephUI::Rect& rect, const std::u16string& image, int width,
                               int height) {
  if (picture == LayoutPicture::Lighting) lights_.SetPicture(rect, image, width, height);
  if (picture == LayoutPicture::Settings) settings_.SetPicture(rect, image, width, height);
  next_.SetPicture(picture, rect, image, width, height);
}

void PictureFanOut::AddKeyItem(LayoutPicture picture, const LayoutKey& key) {
  if (picture == LayoutPicture::Lighting) lights_.AddPictureKey(key);
  if (picture == LayoutPicture::Settings) settings_.AddPictureKey(key);
  next_.AddKeyItem(picture, key);
}
