#include "tests/demo/KeyPictureLoader.h"

#include "catalogue/Catalogue.h"

KeyPicture KeyPictureLoader::Load(const std::string& programFolder, int deviceType) {
  Catalogue catalogue;
  if (!catalogue.Read(programFolder, CatalogueTargets{})) return {};
  KeyPictureLoader views;
  KeyboardLayout layout;
  layout.Load(deviceType, catalogue, programFolder, &views, nullptr);
  KeyPicture picture{{}, views.size_};
  for (const LayoutKey& key : views.keys_) {
    const auto light = layout.lightIndex.find(key.code);
    const int lightIndex = light == layout.lightIndex.end() ? -1 : light->second;
    picture.keys.push_back(KeyLamp{key.code, key.rect, lightIndex, key.name});
  }
  return picture;
}

void KeyPictureLoader::SetPicture(LayoutPicture picture, const ZephUI::Rect& /*rect*/,
                                  const std::u16string& /*image*/, int width, int height) {
  if (!first_) first_ = picture;
  if (picture == *first_) size_ = ZephUI::Size{width, height};
}

void KeyPictureLoader::AddKeyItem(LayoutPicture picture, const LayoutKey& key) {
  if (!first_) first_ = picture;
  if (picture == *first_) keys_.push_back(key);
}
