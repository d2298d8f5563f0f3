#include "lighting/LevelCapture.h"

#include <gtest/gtest.h>

#include <mutex>

#include "tests/lighting/MusicFakeClock.h"
#include "tests/lighting/MusicFakeSource.h"

namespace {

struct DataNotice {
  std::vector<std::int16_t> samples;
  int blockSize = 0;
  int bits = 0;
  int channels = 0;
};

// Keeps every notice the capture thread sends.
class RecordingProxy : public AudioCapture::IProxy {
 public:
  void stopped() override {
    std::lock_guard lock(mutex_);
    ++stops_;
  }
  void data(std::span<const std::int16_t> samples, int blockSize, int bits, int channels) override {
    std::lock_guard lock(mutex_);
    data_.push_back({{samples.begin(), samples.end()}, blockSize, bits, channels});
  }
  void format(const CaptureFormat& format) override {
    std::lock_guard lock(mutex_);
    formats_.push_back(format);
  }
  std::vector<DataNotice> Data() const {
    std::lock_guard lock(mutex_);
    return data_;
  }
  std::vector<CaptureFormat> Formats() const {
    std::lock_guard lock(mutex_);
    return formats_;
  }
  int Stops() const {
    std::lock_guard lock(mutex_);
    return stops_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<DataNotice> data_;
  std::vector<CaptureFormat> formats_;
  int stops_ = 0;
};

const CaptureFormat kStereo16{48000, 2, 16, 4, 192000};

class LevelCaptureThread : public testing::Test {
 protected:
  void SetUp() override {
    auto source = std::make_unique<MusicFakeSource>();
    source_ = source.get();
    source_->SetFormat(kStereo16);
    capture_ = std::make_unique<LevelCapture>(std::move(source), proxy_, clock_);
    clock_.Gate();
  }
  void TearDown() override {
    clock_.Open();
    capture_.reset();
  }

  // Lets the thread run its next pass and waits until it is done.
  void NextPass(std::size_t pass) {
    clock_.Release();
    ASSERT_TRUE(clock_.WaitForSleeps(pass));
  }

  MusicFakeClock clock_;
  RecordingProxy proxy_;
  MusicFakeSource* source_ = nullptr;
  std::unique_ptr<LevelCapture> capture_;
};

}  // namespace

TEST_F(LevelCaptureThread, EachCycleReportsAtMostOnePacketAfterTheFormat) {
  source_->PushSamples(std::vector<std::int16_t>{1, 2, 3, 4});
  source_->PushSamples(std::vector<std::int16_t>{5, 6});
  ASSERT_TRUE(capture_->startLevelCapture());
  ASSERT_TRUE(clock_.WaitForSleeps(1));
  ASSERT_EQ(proxy_.Data().size(), 1u);
  EXPECT_EQ(proxy_.Data()[0].samples, (std::vector<std::int16_t>{1, 2, 3, 4}));
  EXPECT_EQ(source_->Waiting(), 1u);

  NextPass(2);
  EXPECT_EQ(proxy_.Data()[1].samples, (std::vector<std::int16_t>{5, 6}));
  NextPass(3);
  const DataNotice empty = proxy_.Data()[2];
  EXPECT_TRUE(empty.samples.empty()) << "a cycle without a packet still reports";
  EXPECT_EQ(empty.blockSize, 4);
  EXPECT_EQ(empty.bits, 16);
  EXPECT_EQ(empty.channels, 2);
  ASSERT_EQ(proxy_.Formats().size(), 1u) << "the format is reported once";
  EXPECT_EQ(proxy_.Formats()[0], kStereo16);
}

TEST_F(LevelCaptureThread, LeavingStopsTheSourceAndReportsStopped) {
  ASSERT_TRUE(capture_->startLevelCapture());
  EXPECT_FALSE(capture_->startLevelCapture()) << "one thread at a time";
  ASSERT_TRUE(clock_.WaitForSleeps(1));
  clock_.Open();
  capture_->stop();
  EXPECT_FALSE(capture_->running());
  EXPECT_EQ(proxy_.Stops(), 1);
  EXPECT_FALSE(source_->Capturing());
  EXPECT_TRUE(capture_->startLevelCapture()) << "a stopped capture can start again";
}

TEST_F(LevelCaptureThread, TheRefreshPeriodIsTheSleepBetweenCycles) {
  capture_->setRefreshPeriod(66);
  capture_->setRefreshPeriod(0);
  EXPECT_EQ(capture_->refreshPeriod(), 66);
  ASSERT_TRUE(capture_->startLevelCapture());
  ASSERT_TRUE(clock_.WaitForSleeps(1));
  capture_->setRefreshPeriod(99);
  NextPass(2);
  EXPECT_EQ(clock_.Sleeps(), (std::vector<std::uint32_t>{66, 99}));
}

TEST_F(LevelCaptureThread, AFailedStartEndsTheThreadQuietly) {
  source_->RefuseStart();
  ASSERT_TRUE(capture_->startLevelCapture());
  capture_->stop();
  EXPECT_EQ(proxy_.Stops(), 1);
  EXPECT_TRUE(proxy_.Data().empty());
}

TEST_F(LevelCaptureThread, ALostDeviceIsCapturedAgainWhenTheDefaultChanges) {
  ASSERT_TRUE(capture_->startLevelCapture());
  ASSERT_TRUE(clock_.WaitForSleeps(1));
  source_->LoseDevice();
  NextPass(2);
  EXPECT_FALSE(source_->Capturing());
  EXPECT_TRUE(proxy_.Data().back().samples.empty());

  source_->ChangeDefault();
  EXPECT_TRUE(source_->Capturing());
  source_->PushSamples(std::vector<std::int16_t>{9, 9});
  NextPass(3);
  EXPECT_EQ(proxy_.Data().back().samples, (std::vector<std::int16_t>{9, 9}));
}

TEST(AudioCaptureProxy, ForwardsOnlyTheConnectedMembers) {
  struct Owner {
    void OnData(std::span<const std::int16_t> samples, int blockSize, int, int) {
      received = static_cast<int>(samples.size()) * 100 + blockSize;
    }
    int received = 0;
  } owner;
  AudioCapture::Proxy<Owner> proxy(owner, nullptr, &Owner::OnData, nullptr);
  const std::int16_t samples[] = {1, 2, 3};
  AudioCapture::IProxy& base = proxy;
  base.stopped();
  base.format(kStereo16);
  base.data(samples, 4, 16, 2);
  EXPECT_EQ(owner.received, 304);
}
