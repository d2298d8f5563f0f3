// Backend selection and periodic timers.
#include "zephui/Backend.h"
#include "zephui/PeriodicTimer.h"

#include <utility>

#include "backend/WindowSystem.h"

namespace ZephUI {

BackendKind ActiveBackend() { return Backend::WindowSystem::Get().Native().Kind(); }

bool SelectBackend(BackendKind kind) {
  Backend::WindowSystem::Request(kind);
  return ActiveBackend() == kind;
}

std::uint32_t StartPeriodicTimer(std::uint32_t periodMs, PeriodicCallback callback) {
  return Backend::WindowSystem::Get().PeriodicTimers().Start(periodMs, std::move(callback));
}

void SetProgramName(std::u16string_view name) { Backend::WindowSystem::SetProgramName(name); }

bool StopPeriodicTimer(std::uint32_t timerId) { return Backend::WindowSystem::Get().PeriodicTimers().Stop(timerId); }

bool PausePeriodicTimer(std::uint32_t timerId) { return Backend::WindowSystem::Get().PeriodicTimers().Pause(timerId); }

void ResumePeriodicTimer(std::uint32_t timerId) { Backend::WindowSystem::Get().PeriodicTimers().Resume(timerId); }

}  // namespace ZephUI
