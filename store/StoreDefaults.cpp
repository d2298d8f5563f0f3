#include "store/StoreDefaults.h"

#include "app/LanguageText.h"
#include "catalogue/KeyboardLayout.h"
#include "store/ProfileStore.h"

namespace {

constexpr int kProfileNameText = 65;
constexpr int kMusicLayerNameText = 101;
constexpr int kLightingProfile = 1;

}  // namespace

int StoreDefaults::EnsureDefaultProfiles(ProfileStore& store, std::vector<ProfileRecord>& profiles) {
  if (store.ListProfiles(profiles) > 0) return static_cast<int>(profiles.size());
  const std::u16string base = GetLanguageText(kDialogSection, kProfileNameText);
  store.RunInTransaction([&] {
    const int first = store.AddProfile(ProfileRecord{0, base + u" 1", u"", 0, 0});
    if (first == 0) return false;
    store.WriteDefaultConfig();
    const bool added = store.AddProfile(ProfileRecord{0, base + u" 2", u"", 0, 0}) != 0 &&
                       store.AddProfile(ProfileRecord{0, base + u" 3", u"", 0, 0}) != 0;
    return added && store.SetActiveProfile(first);
  });
  return store.ListProfiles(profiles);
}

bool StoreDefaults::EnsureMusicLayer(ProfileStore& store, bool rgbKeyboard, MusicLayerRecord& layer) {
  if (store.CountMusicLayers() < 1) {
    const std::u16string name = GetLanguageText(kDialogSection, kMusicLayerNameText) + u" 1";
    store.RunInTransaction([&] { return store.AddMusicLayer(name, rgbKeyboard ? 17 : 1) > 0 && store.SelectMusicLayer(); });
  }
  return store.ReadMusicLayer(store.GetSelectedMusicLayer(), layer);
}

void StoreDefaults::EnsureDefaultLighting(ProfileStore& store, const KeyboardLayout& layout) {
  if (store.CountLightModes(kLightingProfile) > 0) return;
  LightRecord row;
  row.profile = kLightingProfile;
  row.brightness = layout.defaultBrightness;
  row.speed = layout.defaultSpeed;
  row.direction = layout.deviceType >= 200 && layout.deviceType <= 299 ? 2 : 0;
  row.colorful = 1;
  row.colorValue = 255;
  store.RunInTransaction([&] {
    for (const LayoutLightMode& mode : layout.lightModes) {
      row.name = mode.name;
      row.mode = mode.mode;
      row.configFunc = mode.attribute;
      if (store.AddLightMode(row) == 0) return false;
    }
    return store.SetActiveLightMode(kLightingProfile, layout.defaultMode);
  });
}
