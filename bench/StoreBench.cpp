// Profile store timings on real database files in a temporary folder.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/LanguageText.h"
#include "catalogue/KeyboardLayout.h"
#include "store/ProfileStore.h"
#include "store/StoreDefaults.h"

namespace {

std::string BenchFolder() {
  const std::string folder = (std::filesystem::temp_directory_path() / "pelmora-store-bench/").string();
  std::filesystem::create_directories(folder + "db");
  return folder;
}

KeyboardLayout ElevenModeLayout() {
  KeyboardLayout layout;
  layout.deviceType = 201;
  layout.defaultMode = 4;
  for (int mode = 1; mode <= 11; ++mode) layout.lightModes.push_back(LayoutLightMode{u"900", mode, 0x43});
  return layout;
}

// What the first start of a model costs: file, schema, profiles, configuration, music layer, lighting rows.
void CreateDatabaseWithDefaults(benchmark::State& state) {
  SetLanguageId(1033);
  const std::string folder = BenchFolder();
  const KeyboardLayout layout = ElevenModeLayout();
  ProfileStore store;
  for (auto _ : state) {
    store.Close();
    store.DeleteDeviceDatabase(folder, u"Bench");
    store.OpenDeviceDatabase(folder, u"Bench");
    std::vector<ProfileRecord> profiles;
    StoreDefaults::EnsureDefaultProfiles(store, profiles);
    MusicLayerRecord layer;
    StoreDefaults::EnsureMusicLayer(store, true, layer);
    StoreDefaults::EnsureDefaultLighting(store, layout);
    benchmark::DoNotOptimize(profiles.size());
  }
  store.Close();
}
BENCHMARK(CreateDatabaseWithDefaults)->Unit(benchmark::kMillisecond);

// The lighting page's commit of a full keyboard's custom colours.
void SaveKeyColours120(benchmark::State& state) {
  const std::string folder = BenchFolder();
  ProfileStore store;
  store.DeleteDeviceDatabase(folder, u"Bench");
  store.OpenDeviceDatabase(folder, u"Bench");
  std::vector<KeyColorRecord> colors;
  for (int i = 0; i < 120; ++i) colors.push_back(KeyColorRecord{0, 1, kCustomColorSet, 0x100 + i, i * 0x010203});
  for (auto _ : state) benchmark::DoNotOptimize(store.ReplaceKeyColors(colors));
  store.Close();
}
BENCHMARK(SaveKeyColours120)->Unit(benchmark::kMicrosecond);

// The key page's load of one profile layer.
void ListAssignments64(benchmark::State& state) {
  const std::string folder = BenchFolder();
  ProfileStore store;
  store.DeleteDeviceDatabase(folder, u"Bench");
  store.OpenDeviceDatabase(folder, u"Bench");
  for (int i = 0; i < 64; ++i) {
    store.SaveKeyAssignment(KeyAssignmentRecord{0, 1, 0, 0x104 + i, 0, u"", 2, i + 1, 0, 0, u"Key"});
  }
  std::vector<KeyAssignmentRecord> list;
  for (auto _ : state) benchmark::DoNotOptimize(store.ListKeyAssignments(1, 0, list));
  store.Close();
}
BENCHMARK(ListAssignments64)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
