// Everything of the window system in one include: handles and message codes,
// queues, windows, modal loops, surfaces, cursors, the clipboard, periodic
// timers and the backend choice. The window classes of the library build on it.
#pragma once

#include "zephui/Backend.h"
#include "zephui/Clipboard.h"
#include "zephui/Cursor.h"
#include "zephui/Message.h"
#include "zephui/MessageCodes.h"
#include "zephui/ModalLoop.h"
#include "zephui/PeriodicTimer.h"
#include "zephui/VirtualKeys.h"
#include "zephui/Window.h"
#include "zephui/WindowProcedure.h"
#include "zephui/WindowStyles.h"
#include "zephui/WindowSurface.h"
#include "zephui/WindowTypes.h"
