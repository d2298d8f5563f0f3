#include "catalogue/KeyboardLayout.h"

#include <algorithm>

#include "catalogue/Catalogue.h"
#include "catalogue/XmlDocument.h"
#include "zephui/Text.h"

namespace {

constexpr std::uint32_t kAlwaysReloaded = 0x41;  // key customisation page and settings picture
constexpr std::uint32_t kMacroPage = 0x02;
constexpr std::uint32_t kLightingPage = 0x04;

int Number(const XmlDocument& xml, const char16_t* name) { return ZephUI::ParseDecimal(xml.Attribute(name)); }

// Picture coordinates stay in a range where adding a width to an origin cannot overflow.
int Coordinate(int value) { return std::clamp(value, -KeyboardLayout::kMaxCoordinate, KeyboardLayout::kMaxCoordinate); }

int Coordinate(const XmlDocument& xml, const char16_t* name) { return Coordinate(Number(xml, name)); }

}  // namespace

ZephUI::Rect ParseKeyRect(const std::u16string& text) {
  int parts[4] = {0, 0, 0, 0};
  std::size_t start = 0;
  for (int i = 0; i < 4 && start <= text.size(); ++i) {
    const std::size_t end = text.find(u'#', start);
    parts[i] = Coordinate(ZephUI::ParseDecimal(std::u16string_view(text).substr(start, end - start)));
    if (end == std::u16string::npos) break;
    start = end + 1;
  }
  return ZephUI::Rect{parts[0], parts[1], parts[0] + parts[2], parts[1] + parts[3]};
}

bool ParseMatrixCell(const std::u16string& text, int& row, int& column) {
  if (text.size() < 3 || text[0] < u'0' || text[0] > u'9') return false;
  row = text[0] - u'0';
  const std::u16string_view digits = std::u16string_view(text).substr(text.size() == 3 ? 2 : text.size() - 2);
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') return false;
  }
  column = ZephUI::ParseDecimal(digits);
  return row < KeyboardLayout::kMatrixRows && column < KeyboardLayout::kMatrixColumns;
}

KeyboardLayout::KeyboardLayout() {
  for (auto& row : matrix) row.fill(kNoKey);
}

void KeyboardLayout::Load(int type, const Catalogue& catalogue, const std::string& programFolder, LayoutViews* views,
                          LayoutDatabase* database) {
  firmwareUrl.clear();
  const CatalogueEntry* keyboard = catalogue.FindKeyboard(type);
  const std::u16string layoutName = keyboard != nullptr ? keyboard->layoutName : std::u16string();
  const std::u16string name = keyboard != nullptr ? keyboard->name : std::u16string();
  deviceType = type;
  if (database != nullptr) database->SwitchDatabase(name, type);
  deviceName = name;

  XmlDocument xml;
  if (!xml.LoadFile(programFolder + "layouts/" + ZephUI::ToUtf8(layoutName) + ".xml")) return;
  if (!xml.FindSibling(u"device.info") || !xml.Enter()) return;
  ReadMenu(xml, views);
  if (xml.FindSibling(u"function")) sleepOption = Number(xml, u"sleep_time") == 1;
  ReadFirmware(xml, views);
  ReadLight(xml, views);
  ClearKeys(views);
  ReadKeyboard(xml, views);
}

void KeyboardLayout::ReadMenu(XmlDocument& xml, LayoutViews* views) {
  if (!xml.FindSibling(u"menu")) return;
  pageMask = kAlwaysReloaded;
  if (Number(xml, u"macro") == 1) pageMask |= kMacroPage;
  if (Number(xml, u"light_mode") == 1) pageMask |= kLightingPage;
  if (views == nullptr) return;
  // Tab items 1, 2 and 3 are the key, macro and lighting pages; item 7 does not exist.
  views->SetTabVisible(1, (pageMask & 0x01) != 0);
  views->SetTabVisible(2, (pageMask & kMacroPage) != 0);
  views->SetTabVisible(3, (pageMask & kLightingPage) != 0);
  views->SetTabVisible(7, (pageMask & 0x40) != 0);
}

void KeyboardLayout::ReadFirmware(XmlDocument& xml, LayoutViews* views) {
  if (!xml.FindSibling(u"firmware")) return;
  firmwareVersion = xml.Attribute(u"version");
  firmwareFile = xml.Attribute(u"file");
  firmwareUrl = xml.Attribute(u"url");
  if (views != nullptr) views->SetFirmwareButtonVisible(!firmwareVersion.empty() && !firmwareFile.empty());
}

void KeyboardLayout::ReadLight(XmlDocument& xml, LayoutViews* views) {
  if (!xml.FindSibling(u"light")) return;
  rgbKeyboard = Number(xml, u"rgb_keyboard") == 1;
  defaultMode = Number(xml, u"default_mode");
  defaultBrightness = Number(xml, u"default_brightness");
  defaultSpeed = Number(xml, u"default_speed");
  if (views != nullptr) views->SetLightSliderMaximums(Number(xml, u"brightness_max"), Number(xml, u"speed_max"));
  lightModes.clear();
  xml.Enter();
  while (xml.FindSibling(u"info")) {
    lightModes.push_back(LayoutLightMode{xml.Attribute(u"name"), Number(xml, u"mode"), Number(xml, u"attribute")});
  }
  xml.Leave();
}

void KeyboardLayout::ClearKeys(LayoutViews* views) {
  keyIndex.clear();
  lightIndex.clear();
  rejectedCells.clear();
  rowCount = 0;
  columnCount = 0;
  for (auto& row : matrix) row.fill(kNoKey);
  if (views == nullptr) return;
  for (LayoutPicture picture : SelectedPictures()) views->ClearKeyItems(picture);
}

void KeyboardLayout::ReadKeyboard(XmlDocument& xml, LayoutViews* views) {
  if (!xml.FindSibling(u"Keyboard")) return;
  const int x = Coordinate(xml, u"xpos"), y = Coordinate(xml, u"ypos");
  const int width = Coordinate(xml, u"width"), height = Coordinate(xml, u"height");
  rowCount = Number(xml, u"row_count");
  columnCount = Number(xml, u"col_count");
  if (views != nullptr) {
    const std::u16string image = u"keyboard/" + xml.Attribute(u"image");
    for (LayoutPicture picture : SelectedPictures()) {
      views->SetPicture(picture, ZephUI::Rect{x, y, x + width, y + height}, image, width, height);
    }
  }
  xml.Enter();
  if (xml.FindSibling(u"KeyItems")) {
    xml.Enter();
    while (xml.FindSibling(u"key")) ReadKey(xml, views);
    xml.Leave();
  }
  xml.Leave();
}

// A key whose cell lies outside the matrix still gets its indexes and its
// place on the pictures; only the matrix, which the live effects walk, skips it.
void KeyboardLayout::ReadKey(XmlDocument& xml, LayoutViews* views) {
  LayoutKey key{ZephUI::ParseHex(xml.Attribute(u"code")), xml.Attribute(u"name"), xml.Attribute(u"desc"),
                ParseKeyRect(xml.Attribute(u"rect"))};
  keyIndex[key.code] = Number(xml, u"key_index");
  lightIndex[key.code] = Number(xml, u"light_index");
  int row = 0, column = 0;
  if (ParseMatrixCell(xml.Attribute(u"row_col"), row, column)) {
    matrix[row][column] = static_cast<std::uint8_t>(key.code & 0xFF);
  } else {
    rejectedCells.push_back(key);
  }
  if (views == nullptr) return;
  for (LayoutPicture picture : SelectedPictures()) views->AddKeyItem(picture, key);
}

std::vector<LayoutPicture> KeyboardLayout::SelectedPictures() const {
  std::vector<LayoutPicture> pictures;
  for (LayoutPicture p : {LayoutPicture::KeyCustomisation, LayoutPicture::Lighting, LayoutPicture::Settings}) {
    if ((pageMask & static_cast<std::uint32_t>(p)) != 0) pictures.push_back(p);
  }
  return pictures;
}
