// A keyboard model's layout file, "<program folder>layouts/<name>.xml": its
// pages, options, firmware source, lighting modes and defaults, and key by key
// the code, names, picture position, table indexes and key-matrix cell.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "zephui/Rect.h"

class Catalogue;

/// The keyboard pictures a layout fills, by their bit in the page-reload mask.
enum class LayoutPicture : std::uint32_t {
  KeyCustomisation = 0x01,  ///< the key customisation page
  Lighting = 0x04,          ///< the lighting page
  Settings = 0x40,          ///< the settings page
};

/// One lighting mode offered by the model.
struct LayoutLightMode {
  std::u16string name;  ///< language text number of the mode's name, as text
  int mode = 0;         ///< mode number sent to the keyboard
  int attribute = 0;    ///< capability flags
};

/// One key of the picture.
struct LayoutKey {
  int code = 0;               ///< key code; the low byte is the HID usage
  std::u16string name;        ///< short label
  std::u16string description; ///< longer description
  ZephUI::Rect rect;          ///< position on the picture
};

/// What a layout load changes outside its own state.
class LayoutViews {
 public:
  virtual ~LayoutViews() = default;
  /// Shows or hides an item of the main tab strip.
  virtual void SetTabVisible(int item, bool visible) = 0;
  /// Shows or hides the settings page's firmware update button.
  virtual void SetFirmwareButtonVisible(bool visible) = 0;
  /// Sets the maximum values of the lighting page's brightness and speed sliders.
  virtual void SetLightSliderMaximums(int brightnessMax, int speedMax) = 0;
  /// Removes every key item of a picture.
  virtual void ClearKeyItems(LayoutPicture picture) = 0;
  /// Places a picture and names its image ("keyboard/<image>").
  virtual void SetPicture(LayoutPicture picture, const ZephUI::Rect& rect, const std::u16string& image, int width,
                          int height) = 0;
  /// Adds one key item to a picture.
  virtual void AddKeyItem(LayoutPicture picture, const LayoutKey& key) = 0;
};

/// Switches the store to a model's database.
class LayoutDatabase {
 public:
  virtual ~LayoutDatabase() = default;
  /// Closes any open database and opens the one of this keyboard name, recording the device type.
  virtual void SwitchDatabase(const std::u16string& keyboardName, int deviceType) = 0;
};

class KeyboardLayout {
 public:
  static constexpr int kMatrixRows = 8;     ///< rows of the key matrix
  static constexpr int kMatrixColumns = 32; ///< columns of the key matrix
  static constexpr std::uint8_t kNoKey = 0xFF;  ///< matrix cell without a key
  static constexpr int kMaxCoordinate = 100000; ///< picture positions and sizes are clamped to plus or minus this

  using Matrix = std::array<std::array<std::uint8_t, kMatrixColumns>, kMatrixRows>;

  KeyboardLayout();

  /// Loads the layout of the first catalogue keyboard with this device type; views and database may be null.
  void Load(int deviceType, const Catalogue& catalogue, const std::string& programFolder, LayoutViews* views,
            LayoutDatabase* database);

  int deviceType = 0;                       ///< the type last requested
  std::u16string deviceName;                ///< the catalogue name of that model
  std::uint32_t pageMask = 0;               ///< page-reload mask
  bool sleepOption = false;                 ///< the settings page offers the sleep time
  std::u16string firmwareVersion;           ///< newest firmware version
  std::u16string firmwareFile;              ///< firmware update tool's file name
  std::u16string firmwareUrl;               ///< base address of firmware downloads
  bool rgbKeyboard = false;                 ///< an RGB keyboard
  int defaultMode = 0;                      ///< mode made active on new databases
  int defaultBrightness = 0;                ///< brightness of new lighting rows
  int defaultSpeed = 0;                     ///< speed of new lighting rows
  std::vector<LayoutLightMode> lightModes;  ///< the model's lighting modes in display order
  std::map<int, int> keyIndex;              ///< key code to key table position
  std::map<int, int> lightIndex;            ///< key code to light table position
  Matrix matrix{};                          ///< low code byte per cell, kNoKey where there is none
  int rowCount = 0;                         ///< rows in use
  int columnCount = 0;                      ///< columns in use
  std::vector<LayoutKey> rejectedCells;     ///< keys whose matrix cell lies outside 8 x 32 (still in maps and pictures)

 private:
  void ReadMenu(class XmlDocument& xml, LayoutViews* views);
  void ReadFirmware(XmlDocument& xml, LayoutViews* views);
  void ReadLight(XmlDocument& xml, LayoutViews* views);
  void ClearKeys(LayoutViews* views);
  void ReadKeyboard(XmlDocument& xml, LayoutViews* views);
  void ReadKey(XmlDocument& xml, LayoutViews* views);
  std::vector<LayoutPicture> SelectedPictures() const;
};

/// Parses "x#y#w#h" into the rectangle x, y, x + w, y + h, each number clamped to +-KeyboardLayout::kMaxCoordinate.
ZephUI::Rect ParseKeyRect(const std::u16string& text);

/// Parses a matrix cell: the row digit first, the column in the last one or two characters; false when not a cell of 8 x 32.
bool ParseMatrixCell(const std::u16string& text, int& row, int& column);
