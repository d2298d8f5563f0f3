// Loopback capture against a real PulseAudio server of the test's own.
#include "lighting/PulseCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <future>
#include <thread>

#include "lighting/LevelCapture.h"
#include "lighting/Visualizer.h"
#include "tests/lighting/PulseTestServer.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace std::chrono_literals;

// Waits for a condition, giving up after a generous limit so a broken server cannot hang the run.
template <class Condition>
bool Eventually(Condition condition) {
  for (auto waited = 0ms; waited < 15s; waited += 10ms) {
    if (condition()) return true;
    std::this_thread::sleep_for(10ms);
  }
  return condition();
}

float Loudest(const std::vector<std::uint8_t>& packet) {
  std::vector<float> samples(packet.size() / sizeof(float));
  std::memcpy(samples.data(), packet.data(), samples.size() * sizeof(float));
  float loudest = 0.0f;
  for (float v : samples) loudest = std::max(loudest, std::fabs(v));
  return loudest;
}

class PulseCaptureTest : public testing::Test {
 protected:
  void SetUp() override {
    if (PulseTestServer::Program().empty()) GTEST_SKIP() << "the pulseaudio program is not installed";
    server_ = std::make_unique<PulseTestServer>(folder_.Path());
    ASSERT_TRUE(server_->Start()) << "see " << folder_.Path() << "server.log";
  }

  // Plays a loud tone into a sink on a thread of its own.
  std::future<bool> Play(const std::string& sink, double seconds = 1.5) {
    return std::async(std::launch::async, [this, sink, seconds] { return server_->PlayTone(sink, 1000.0, 0.8, seconds); });
  }

  // Reads packets until one carries sound; the largest packet size seen goes to biggest.
  static bool HearsSound(AudioCaptureSource& capture, std::size_t& biggest) {
    std::vector<std::uint8_t> packet;
    return Eventually([&] {
      while (capture.Read(packet) == PacketStatus::Packet) {
        biggest = std::max(biggest, packet.size());
        if (Loudest(packet) > 0.1f) return true;
      }
      return false;
    });
  }

  testsupport::TempFolder folder_;
  std::unique_ptr<PulseTestServer> server_;
};

}  // namespace

TEST_F(PulseCaptureTest, RecordsTheDefaultSinksMonitorInShortFragments) {
  PulseCapture capture(SampleFormat::Float32, PulseBacklog::Keep, server_->Address());
  ASSERT_TRUE(capture.Start());
  ASSERT_TRUE(Eventually([&] { return capture.Format().has_value(); }));
  EXPECT_EQ(capture.SourceName(), "test.monitor");
  const CaptureFormat format = *capture.Format();
  EXPECT_EQ(format.channels, 2);
  EXPECT_EQ(format.bitsPerSample, 32);

  auto playing = Play("test");
  std::size_t biggest = 0;
  EXPECT_TRUE(HearsSound(capture, biggest));
  // While the tone plays, fragments stay near 15 ms, far below the server's default of about two seconds.
  std::vector<std::uint8_t> packet;
  std::size_t total = 0;
  for (int cycle = 0; cycle < 50; ++cycle) {
    while (capture.Read(packet) == PacketStatus::Packet) {
      biggest = std::max(biggest, packet.size());
      total += packet.size();
    }
    std::this_thread::sleep_for(10ms);
  }
  EXPECT_GT(total, 0u);
  EXPECT_LE(biggest, static_cast<std::size_t>(format.bytesPerSecond / 20));
  capture.Stop();
  EXPECT_TRUE(playing.get());
}

TEST_F(PulseCaptureTest, FollowsTheDefaultSinkWhenItChanges) {
  PulseCapture capture(SampleFormat::Float32, PulseBacklog::Keep, server_->Address());
  std::atomic<int> notices = 0;
  capture.SetDefaultChangedHandler([&] {
    ++notices;
    capture.Start();
  });
  ASSERT_TRUE(capture.Start());
  ASSERT_TRUE(Eventually([&] { return capture.SourceName() == "test.monitor"; }));

  ASSERT_TRUE(server_->SetDefaultSink("other"));
  ASSERT_TRUE(Eventually([&] { return capture.SourceName() == "other.monitor" && capture.Format(); }));
  EXPECT_EQ(notices, 1);

  auto playing = Play("other");
  std::size_t biggest = 0;
  EXPECT_TRUE(HearsSound(capture, biggest));
  EXPECT_TRUE(playing.get());
}

TEST_F(PulseCaptureTest, CapturesAgainWhenTheServerComesBack) {
  PulseCapture capture(SampleFormat::Float32, PulseBacklog::Keep, server_->Address());
  capture.SetDefaultChangedHandler([&] { capture.Start(); });
  ASSERT_TRUE(capture.Start());
  ASSERT_TRUE(Eventually([&] { return capture.Format().has_value(); }));

  server_->Stop();
  std::vector<std::uint8_t> packet;
  ASSERT_TRUE(Eventually([&] { return capture.Read(packet) == PacketStatus::Gone; }));
  capture.Stop();

  ASSERT_TRUE(server_->Start());
  ASSERT_TRUE(Eventually([&] { return capture.SourceName() == "test.monitor" && capture.Format(); }));
  auto playing = Play("test");
  std::size_t biggest = 0;
  EXPECT_TRUE(HearsSound(capture, biggest));
  EXPECT_TRUE(playing.get());
}

TEST_F(PulseCaptureTest, TheVisualizerLightsBarsFromPlayingSound) {
  Visualizer visualizer(std::make_unique<PulseCapture>(SampleFormat::Float32, PulseBacklog::Keep, server_->Address()));
  visualizer.initialise();
  MusicLayerRecord layer;
  layer.foreMode = 1;
  layer.foreAmplitude = 300;
  layer.backBright = 100;
  visualizer.setMusicLayer(layer, Painting::On);

  auto playing = Play("test");
  const auto white = ZephUI::GdiColor::FromRgb(254, 254, 254);
  const bool lit = Eventually([&] {
    visualizer.PaintFrame();
    const VisualizerImage image = visualizer.frontImage();
    for (int column = 0; column < VisualizerImage::kColumns; ++column) {
      if (image.At(63, column) == white) return true;
    }
    return false;
  });
  EXPECT_TRUE(lit);
  EXPECT_TRUE(playing.get());
}

TEST_F(PulseCaptureTest, TheLevelCaptureReportsSixteenBitSamplesOfPlayingSound) {
  struct Levels : AudioCapture::IProxy {
    void stopped() override {}
    void format(const CaptureFormat& f) override { bits = f.bitsPerSample; }
    void data(std::span<const std::int16_t> samples, int, int, int) override {
      for (std::int16_t s : samples) loudest = std::max(loudest.load(), std::abs(static_cast<int>(s)));
    }
    std::atomic<int> loudest = 0;
    std::atomic<int> bits = 0;
  } levels;
  LevelCapture capture(std::make_unique<PulseCapture>(SampleFormat::Signed16, PulseBacklog::DropStale,
                                                      server_->Address()),
                       levels);
  ASSERT_TRUE(capture.startLevelCapture());
  auto playing = Play("test");
  EXPECT_TRUE(Eventually([&] { return levels.loudest > 8000; }));
  EXPECT_EQ(levels.bits, 16);
  capture.stop();
  EXPECT_TRUE(playing.get());
}

TEST_F(PulseCaptureTest, AChosenSourceIsRecordedWhileItIsThereWithTheDefaultStandingInWhileNot) {
  PulseCapture capture(SampleFormat::Float32, PulseBacklog::Keep, server_->Address());
  std::atomic<int> notices = 0;
  capture.SetDefaultChangedHandler([&] {
    ++notices;
    capture.Start();
  });
  capture.FollowSource("third.monitor");
  ASSERT_TRUE(capture.Start());
  ASSERT_TRUE(Eventually([&] { return capture.SourceName() == "test.monitor"; })) << "not there yet";

  const int third = server_->LoadNullSink("third");
  ASSERT_GE(third, 0);
  ASSERT_TRUE(Eventually([&] { return capture.SourceName() == "third.monitor" && capture.Format(); }));
  // A chosen source that is there does not follow the default.
  ASSERT_TRUE(server_->SetDefaultSink("other"));
  auto playing = Play("third");
  std::size_t biggest = 0;
  EXPECT_TRUE(HearsSound(capture, biggest));
  EXPECT_TRUE(playing.get());
  EXPECT_EQ(capture.SourceName(), "third.monitor");

  // Gone: the new default stands in; back: the chosen one is recorded again.
  ASSERT_TRUE(server_->UnloadModule(third));
  ASSERT_TRUE(Eventually([&] { return capture.SourceName() == "other.monitor"; }));
  ASSERT_GE(server_->LoadNullSink("third"), 0);
  ASSERT_TRUE(Eventually([&] { return capture.SourceName() == "third.monitor"; }));

  capture.FollowSource("");
  ASSERT_TRUE(Eventually([&] { return capture.SourceName() == "other.monitor" && capture.Format(); }));
  EXPECT_EQ(notices, 0) << "the owner restarts nothing: the capture moved by itself";
  playing = Play("other");
  EXPECT_TRUE(HearsSound(capture, biggest));
  EXPECT_TRUE(playing.get());
}
