// How the level capture thread reports to its owner: three notices through
// a proxy, which forwards each to a member of the owner when connected.
#pragma once

#include <cstdint>
#include <span>

#include "lighting/AudioCaptureSource.h"

class AudioCapture {
 public:
  /// The receiver of the level capture's notices.
  class IProxy {
   public:
    virtual ~IProxy() = default;
    /// The capture thread is leaving.
    virtual void stopped() = 0;
    /// One cycle's 16-bit samples (empty when the cycle brought none).
    virtual void data(std::span<const std::int16_t> samples, int blockSize, int bitsPerSample, int channels) = 0;
    /// The capture format, reported when it becomes known or changes.
    virtual void format(const CaptureFormat& captureFormat) = 0;
  };

  /// Forwards each notice to a member of Owner; a null member leaves that notice unconnected.
  template <class Owner>
  class Proxy : public IProxy {
   public:
    using StoppedMember = void (Owner::*)();
    using DataMember = void (Owner::*)(std::span<const std::int16_t>, int, int, int);
    using FormatMember = void (Owner::*)(const CaptureFormat&);

    /// Binds the proxy to an owner and its members.
    Proxy(Owner& owner, StoppedMember onStopped, DataMember onData, FormatMember onFormat)
        : owner_(owner), onStopped_(onStopped), onData_(onData), onFormat_(onFormat) {}

    /// Forwards the stop notice.
    void stopped() override {
      if (onStopped_) (owner_.*onStopped_)();
    }
    /// Forwards one cycle's samples.
    void data(std::span<const std::int16_t> samples, int blockSize, int bitsPerSample, int channels) override {
      if (onData_) (owner_.*onData_)(samples, blockSize, bitsPerSample, channels);
    }
    /// Forwards the format.
    void format(const CaptureFormat& captureFormat) override {
      if (onFormat_) (owner_.*onFormat_)(captureFormat);
    }

   private:
    Owner& owner_;
    StoppedMember onStopped_;
    DataMember onData_;
    FormatMember onFormat_;
  };
};
