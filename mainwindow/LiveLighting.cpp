#include "mainwindow/LiveLighting.h"

#include <map>

#include "catalogue/KeyboardLayout.h"
#include "device/KeyboardProtocol.h"
#include "lighting/ScreenCapture.h"
#include "lighting/ScreenLight.h"
#include "lighting/Visualizer.h"

namespace {

constexpr std::uint32_t kMusicFlag = 0x200;
constexpr std::uint32_t kScreenFlag = 0x400;

}  // namespace

LiveLighting::LiveLighting(KeyboardProtocol& protocol, Visualizer& music, std::unique_ptr<ScreenCapture> screen,
                           Clock& clock)
    : protocol_(protocol), music_(music), screen_(std::make_unique<ScreenLight>(std::move(screen), clock)) {}

LiveLighting::~LiveLighting() { screen_->stop(); }

// The matrix holds each key's low code byte; the light table is keyed by the full code.
void LiveLighting::SetLayout(const KeyboardLayout& layout) {
  std::map<int, std::pair<int, int>> byLowByte;
  for (const auto& [code, index] : layout.lightIndex) byLowByte.emplace(code & 0xFF, std::pair{code, index});
  std::vector<Key> keys;
  for (int row = 0; row < KeyboardLayout::kMatrixRows; ++row) {
    for (int column = 0; column < KeyboardLayout::kMatrixColumns; ++column) {
      const std::uint8_t cell = layout.matrix[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
      const auto found = byLowByte.find(cell);
      if (cell == KeyboardLayout::kNoKey || found == byLowByte.end()) continue;
      keys.push_back(Key{row, column, found->second.first, found->second.second});
    }
  }
  std::lock_guard lock(lock_);
  keys_ = std::move(keys);
  rows_ = layout.rowCount;
  columns_ = layout.columnCount;
}

void LiveLighting::Select(LiveSource source) {
  int rows = 0;
  int columns = 0;
  {
    std::lock_guard lock(lock_);
    if (source == selected_) return;
    selected_ = source;
    rows = rows_;
    columns = columns_;
  }
  music_.setActive(source == LiveSource::Music ? Painting::On : Painting::Off);
  if (source == LiveSource::Screen) {
    screen_->start(columns, rows);
    screen_->setActive(ScreenSampling::On);
  } else {
    // Stopping joins the sampling thread, so nothing samples the screen while no one looks.
    screen_->stop();
  }
}

LiveSource LiveLighting::Selected() const {
  std::lock_guard lock(lock_);
  return selected_;
}

void LiveLighting::SetFrameListener(std::function<void()> listener) {
  std::lock_guard lock(lock_);
  listener_ = std::move(listener);
}

bool LiveLighting::Step(std::uint32_t modeFlags, int connectionMode) {
  const bool screen = (modeFlags & kScreenFlag) != 0;
  if (!screen && (modeFlags & kMusicFlag) == 0) return false;
  std::vector<LiveKeyColor> frame;
  std::vector<std::pair<int, ZephUI::GdiColor>> colours;
  std::function<void()> listener;
  {
    std::lock_guard lock(lock_);
    frame.reserve(keys_.size());
    colours.reserve(keys_.size());
    for (const Key& key : keys_) {
      const ZephUI::GdiColor colour =
          screen ? screen_->cellColour(key.row, key.column) : music_.keyColour(key.row, key.column);
      frame.push_back(LiveKeyColor{key.lightIndex, colour.Value()});
      colours.emplace_back(key.code, colour);
    }
    latest_ = colours;
    listener = listener_;
  }
  if (listener) listener();
  return protocol_.sendLiveFrame(connectionMode, frame);
}

std::vector<std::pair<int, ZephUI::GdiColor>> LiveLighting::LatestColours() const {
  std::lock_guard lock(lock_);
  return latest_;
}
