// The audio capture thread's receiver: while a music mode is shown on the
// lighting page of a family B keyboard, every capture cycle's level goes to
// the keyboard as one music level packet.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>

#include "lighting/AudioCapture.h"

class KeyboardProtocol;
class MainWindowView;

class MusicLevelSender : public AudioCapture::IProxy {
 public:
  /// The lighting tab's index.
  static constexpr int kLightingTab = 3;
  /// Gain until the lighting page sets one.
  static constexpr double kDefaultGain = 1.0;
  /// Music effect until the lighting page sets one.
  static constexpr int kDefaultEffect = 1;

  /// Sends through the protocol when the view shows a music mode; both must outlive the sender.
  MusicLevelSender(KeyboardProtocol& protocol, const MainWindowView& view);

  /// The device type of the loaded layout: only family B takes the level.
  void SetDeviceType(int deviceType);
  /// The lighting page's gain and music effect.
  void SetSettings(double gain, int effect);

  /// Nothing to do when capture ends: no level is sent any more.
  void stopped() override;
  /// One cycle's samples: sends their level when a music mode is shown.
  void data(std::span<const std::int16_t> samples, int blockSize, int bitsPerSample, int channels) override;
  /// The format is not needed for the level.
  void format(const CaptureFormat& captureFormat) override;

 private:
  bool MusicModeShown() const;

  KeyboardProtocol& protocol_;
  const MainWindowView& view_;
  std::atomic<int> deviceType_{0};
  std::atomic<double> gain_{kDefaultGain};
  std::atomic<int> effect_{kDefaultEffect};
};
