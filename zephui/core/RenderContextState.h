// The cairo context behind a RenderContext; shared by RenderContext.cpp and RenderCairo.cpp only.
#pragma once

#include <cairo.h>

#include "zephui/RenderContext.h"

namespace ZephUI {

/// Owns one reference to the cairo context.
struct RenderContext::State {
  explicit State(cairo_t* context) : cr(context) {}
  ~State() { cairo_destroy(cr); }
  State(const State&) = delete;
  State& operator=(const State&) = delete;

  cairo_t* cr;  ///< the context all drawing goes through
};

}  // namespace ZephUI
