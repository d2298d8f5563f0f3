// Shared set-up for the simulator's own tests: an empty bus on a virtual
// clock, frame builders, and handles that are closed after each test.
#pragma once

#include <gtest/gtest.h>
#include <hidapi.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/sim/Bus.h"
#include "tests/sim/VirtualClock.h"

class SimFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    bus_.Reset();
    bus_.SetClock(&clock_);
  }

  void TearDown() override {
    for (hid_device* handle : opened_) hid_close(handle);
    bus_.Reset();
  }

  hid_device* Open(int id) {
    hid_device* handle = hid_open_path(bus_.PathOf(id).c_str());
    if (handle) opened_.push_back(handle);
    return handle;
  }

  // An 8-byte feature frame and a 65-byte report frame, zero-filled.
  static hidsim::Bytes Feature(std::initializer_list<std::uint8_t> head) {
    hidsim::Bytes frame(8, 0);
    std::copy(head.begin(), head.end(), frame.begin());
    return frame;
  }
  static hidsim::Bytes Report(std::initializer_list<std::uint8_t> head) {
    hidsim::Bytes frame(65, 0);
    std::copy(head.begin(), head.end(), frame.begin());
    return frame;
  }

  static int Send(hid_device* handle, const hidsim::Bytes& frame) {
    return hid_send_feature_report(handle, frame.data(), frame.size());
  }
  static int Write(hid_device* handle, const hidsim::Bytes& frame) {
    return hid_write(handle, frame.data(), frame.size());
  }
  // Reply of a get-feature of report 7; empty when it failed.
  static hidsim::Bytes Get(hid_device* handle) {
    hidsim::Bytes reply(8, 0);
    reply[0] = 0x07;
    const int n = hid_get_feature_report(handle, reply.data(), reply.size());
    if (n < 0) return {};
    reply.resize(static_cast<std::size_t>(n));
    return reply;
  }

  hidsim::Bus& bus_ = hidsim::Bus::Instance();
  hidsim::VirtualClock clock_;
  std::vector<hid_device*> opened_;
};
