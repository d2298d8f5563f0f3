#include "backend/BackendFactory.h"

#include <cstdlib>
#include <string_view>

#include "backend/headless/HeadlessBackend.h"
#include "backend/x11/X11Backend.h"

namespace ZephUI::Backend {
namespace {

BackendKind Configured() {
  const char* value = std::getenv("ZEPHUI_BACKEND");
  return value != nullptr && std::string_view(value) == "headless" ? BackendKind::Headless : BackendKind::X11;
}

}  // namespace

std::unique_ptr<NativeBackend> BackendFactory::Create(std::optional<BackendKind> requested) {
  if (requested.value_or(Configured()) == BackendKind::X11) {
    if (auto x11 = X11Backend::Open()) return x11;
  }
  return std::make_unique<HeadlessBackend>();
}

}  // namespace ZephUI::Backend
