#include "mainwindow/keypage/LayoutFanOut.h"

#include "mainwindow/keypage/KeyPage.h"

void LayoutFanOut::ClearKeyItems(LayoutPicture picture) {
  if (picture == LayoutPicture::KeyCustomisation) page_.ClearPictureKeys();
  frame_.ClearKeyItems(picture);
}

void LayoutFanOut::SetPicture(LayoutPicture picture, const ZephUI::Rect& rect, const std::u16string& image, int width,
                              int height) {
  if (picture == LayoutPicture::KeyCustomisation) page_.SetPicture(rect, image, width, height);
  frame_.SetPicture(picture, rect, image, width, height);
}

void LayoutFanOut::AddKeyItem(LayoutPicture picture, const LayoutKey& key) {
  if (picture == LayoutPicture::KeyCustomisation) page_.AddPictureKey(key);
  frame_.AddKeyItem(picture, key);
}
