// Closes the program's popup windows before the device view changes under
// them: dialogs and menus get WM_CLOSE, tip and combo lists are hidden.
#pragma once

/// Posts WM_CLOSE to every "ZephClient" popup by title (wParam 2 for a message box) and hides tip and combo windows.
void CloseProgramPopups();
