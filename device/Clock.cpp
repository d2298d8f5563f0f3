#include "device/Clock.h"

#include <chrono>
#include <thread>

void SteadyClock::SleepMs(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::uint64_t SteadyClock::NowMs() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

SteadyClock& SteadyClock::Instance() {
  static SteadyClock clock;
  return clock;
}
