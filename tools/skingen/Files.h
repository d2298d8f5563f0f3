// The pictures that are not plain PNG strips: the animated wait spinner, the
// tray icon and the keyboard pictures drawn from the layout files.
#pragma once

#include <string>
#include <vector>

#include "Skins.h"

namespace skingen {

// Writes the spinner as a looping GIF; fills `line` for the manifest.
bool WriteSpinnerGif(const std::string& path, const std::string& name, ManifestLine& line);

// Writes an ICO file with PNG-compressed 16, 32 and 48 pixel images.
bool WriteTrayIcon(const std::string& path, const std::string& name, ManifestLine& line);

// Draws "keyboard/<image>" for every layout file in the folder (sorted by
// file name so runs are repeatable); appends one manifest line per picture.
bool WriteKeyboardPictures(const std::string& layoutFolder, const std::string& skinFolder,
                           std::vector<ManifestLine>& manifest, bool write);

}  // namespace skingen
