// Profile store timings on real database files in a temporary folder.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/LanguageText.h"
#include "app/Paths.h"
#include "catalogue/KeyboardLayout.h"
#include "store/ExchangeFiles.h"
#include "store/MacroLimits.h"
#include "store/ProfileStore.h"
#include "store/StoreDefaults.h"

namespace {

std::string BenchFolder() {
  const std::string folder = (std::filesystem::temp_directory_path() / "pelmora-store-bench/").string();
  std::filesystem::create_directories(folder + "db");
  std::filesystem::create_directories(folder + "language");
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

// A profile file of `macros` macros of 16384 steps each; 64 of them make about 57 MB, near the largest accepted.
std::string LargeProfileFile(const std::string& folder, int macros) {
  const std::string path = folder + "Large" + std::to_string(macros) + ".xml";
  if (std::filesystem::exists(path)) return path;
  std::ofstream out(path, std::ios::binary);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile>\r\n<profileinfo name=\"Large\"/>\r\n<keyitems>\r\n";
  for (int m = 1; m <= macros; ++m) {
    out << "<item fn_layer=\"0\" key_code=\"" << 0x100 + m << "\" macro_type=\"3\" macro_value=\"" << 1000 + m
        << "\"/>\r\n";
  }
  out << "</keyitems>\r\n";
  for (int m = 1; m <= macros; ++m) {
    out << "<macroinfo name=\"M" << m << "\" macro_id=\"" << 1000 + m << "\" times=\"1\" type=\"1\" delaytime=\"0\">\r\n"
        << "<macroitems>\r\n";
    for (int i = 0; i < kMaxMacroSteps; ++i) {
      out << "<item desc=\"Key A\" type=\"" << 2 + i % 2 << "\" value=\"65\" delay_time=\"10\"/>\r\n";
    }
    out << "</macroitems>\r\n</macroinfo>\r\n";
  }
  out << "</profile>\r\n";
  return path;
}

long PeakResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

class SilentListener : public ExchangeListener {
 public:
  void MacroImported(const std::u16string&, int, bool) override {}
  void ProfileImported(const std::u16string&, int) override {}
};

// Import of that file into an empty database; the peak resident size is the whole process's.
void ImportLargeProfile(benchmark::State& state) {
  const std::string folder = BenchFolder();
  const std::string path = LargeProfileFile(folder, static_cast<int>(state.range(0)));
  ProfileStore store;
  SilentListener listener;
  for (auto _ : state) {
    state.PauseTiming();
    store.Close();
    store.DeleteDeviceDatabase(folder, u"Bench");
    store.OpenDeviceDatabase(folder, u"Bench");
    state.ResumeTiming();
    benchmark::DoNotOptimize(ExchangeFiles(store).ImportProfile(path, listener));
  }
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  state.counters["peak_rss_MB"] = static_cast<double>(PeakResidentKiB()) / 1024.0;
  store.Close();
}
BENCHMARK(ImportLargeProfile)->Arg(4)->Arg(16)->Arg(64)->Iterations(1)->Unit(benchmark::kMillisecond);

// Every text number the shipped English file holds, looked up once each, as the main window does when it builds.
void LookUpAllShippedTexts(benchmark::State& state) {
  SetLanguageId(1033);
  std::vector<int> numbers;
  std::ifstream in(GetModuleFolder() + "language/1033.lan");
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] >= '0' && line[0] <= '9') numbers.push_back(std::stoi(line));
  }
  for (auto _ : state) {
    for (int number : numbers) benchmark::DoNotOptimize(GetLanguageText(kDialogSection, number));
  }
  state.counters["texts"] = static_cast<double>(numbers.size());
}
BENCHMARK(LookUpAllShippedTexts)->Unit(benchmark::kMicrosecond);

// One lookup in a language file of `keys` texts, read for the first time.
void LookUpInLargeLanguageFile(benchmark::State& state) {
  const std::string folder = BenchFolder();
  const int keys = static_cast<int>(state.range(0));
  {
    std::ofstream out(folder + "language/" + std::to_string(700000 + keys) + ".lan", std::ios::binary);
    out << "[KB.DIALOG]\r\n";
    for (int key = 1; key <= keys; ++key) out << key << "=Text number " << key << "\r\n";
  }
  for (auto _ : state) benchmark::DoNotOptimize(ReadLanguageText(folder, 700000 + keys, kDialogSection, keys));
}
BENCHMARK(LookUpInLargeLanguageFile)->Arg(2000)->Arg(20000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
