// Message queues. Every thread has one, made on first use. Posted messages,
// input and messages sent from other threads wait in it until the thread
// retrieves them; WM_PAINT and WM_TIMER are made when nothing else is waiting.
#pragma once

#include <cstdint>

#include "zephui/Export.h"
#include "zephui/MessageCodes.h"
#include "zephui/VirtualKeys.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// Queues a message for the window's thread; any thread. False when the window is gone.
ZEPHUI_API bool PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
/// Calls the window's procedure and returns its result: directly on the owning thread, else on that thread while this one waits (handling messages sent to it meanwhile). 0 for no window.
ZEPHUI_API LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
/// Makes the calling thread's next retrieval, once its queue is empty of posted messages, WM_QUIT with `exitCode`.
ZEPHUI_API void PostQuitMessage(int exitCode);
/// Waits for and removes the next message; false when it is WM_QUIT (still stored in `msg`).
ZEPHUI_API bool GetMessage(MSG& msg);
/// Removes the next message without waiting; false when there is none. WM_QUIT is returned as a message.
ZEPHUI_API bool PeekMessage(MSG& msg);
/// Waits until the calling thread's queue has something to retrieve.
ZEPHUI_API void WaitMessage();
/// For a key-down, posts the WM_CHAR (or WM_SYSCHAR) messages of the text it typed; true when it posted any.
ZEPHUI_API bool TranslateMessage(const MSG& msg);
/// Hands a retrieved message to its window's procedure (or to the timer callback) and returns the result.
ZEPHUI_API LRESULT DispatchMessage(const MSG& msg);

/// Milliseconds on the window system's clock (the controllable clock under headless), 32 bits.
ZEPHUI_API std::uint32_t GetTickCount();
/// Milliseconds on the window system's clock, 64 bits.
ZEPHUI_API std::uint64_t GetTickCount64();
/// Longest time between two presses that still makes a double click; 500 ms unless changed.
ZEPHUI_API std::uint32_t GetDoubleClickTime();
/// Changes the double-click time for this process.
ZEPHUI_API void SetDoubleClickTime(std::uint32_t milliseconds);
/// State of a key as of the input retrieved so far: bit 15 down, bit 0 toggled (Caps Lock and friends).
ZEPHUI_API std::int16_t GetKeyState(std::uint32_t vk);
/// State of a key right now: bit 15 down.
ZEPHUI_API std::int16_t GetAsyncKeyState(std::uint32_t vk);

}  // namespace ZephUI
