// The start-up steps that come before the main window.
#pragma once

#include <string>

/// Reads the device name from the catalogue in the program folder and hands it to the UI library.
void LoadDeviceName(const std::string& programFolder);

/// Chooses the interface language: the stored one, else the system's, which is stored only when it is 1033.
int ChooseLanguage(int systemLanguage);

/// Creates the per-user database folder "<user data folder>db"; true when it exists.
bool PrepareDatabaseFolder();
