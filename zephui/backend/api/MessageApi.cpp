// Posting, sending, retrieving and dispatching messages; clock and key state.
#include "zephui/Message.h"

#include "backend/MessagePump.h"
#include "backend/Messenger.h"
#include "backend/WindowAccess.h"

namespace ZephUI {

using Backend::MessagePump;

bool PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Backend::Messenger::Post(hwnd, message, wParam, lParam);
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Backend::Messenger::Send(hwnd, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) { Backend::WindowSystem::Get().CurrentQueue()->PostQuit(exitCode); }

bool GetMessage(MSG& msg) {
  MessagePump::Take(msg, Backend::WaitMode::Wait);
  return msg.message != WM_QUIT;
}

bool PeekMessage(MSG& msg) { return MessagePump::Take(msg, Backend::WaitMode::NoWait); }

void WaitMessage() { MessagePump::WaitForWork(); }

bool TranslateMessage(const MSG& msg) { return MessagePump::Translate(msg); }

LRESULT DispatchMessage(const MSG& msg) { return MessagePump::Dispatch(msg); }

std::uint32_t GetTickCount() { return static_cast<std::uint32_t>(GetTickCount64()); }

std::uint64_t GetTickCount64() { return Backend::WindowSystem::Get().Native().NowMs(); }

std::uint32_t GetDoubleClickTime() {
  return Backend::WithState([](Backend::WindowState& state) { return state.doubleClickTimeMs; });
}

void SetDoubleClickTime(std::uint32_t milliseconds) {
  Backend::WithState([milliseconds](Backend::WindowState& state) { state.doubleClickTimeMs = milliseconds; });
}

std::int16_t GetKeyState(std::uint32_t vk) { return Backend::WindowSystem::Get().Keys().State(vk); }

std::int16_t GetAsyncKeyState(std::uint32_t vk) {
  return Backend::WindowSystem::Get().Native().KeyPhysicallyDown(vk) ? static_cast<std::int16_t>(0x8000) : 0;
}

}  // namespace ZephUI
