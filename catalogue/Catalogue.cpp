#include "catalogue/Catalogue.h"

#include "catalogue/XmlDocument.h"
#include "zephui/Text.h"

namespace {

std::string ConfigPath(const std::string& programFolder) { return programFolder + "config.xml"; }

}  // namespace

bool Catalogue::Read(const std::string& programFolder, const CatalogueTargets& targets) {
  keyboards_.clear();
  connections_.clear();
  XmlDocument xml;
  if (!xml.LoadFile(ConfigPath(programFolder))) return false;
  if (!xml.FindSibling(u"config") || !xml.Enter()) return true;
  ReadKeyboards(xml, targets);
  ReadSoftware(xml, targets);
  return true;
}

void Catalogue::ReadKeyboards(XmlDocument& xml, const CatalogueTargets& targets) {
  if (!xml.FindSibling(u"device.info")) return;
  xml.Enter();
  while (xml.FindSibling(u"keyboard")) {
    CatalogueEntry entry;
    entry.name = xml.Attribute(u"name");
    entry.deviceType = ZephUI::ParseDecimal(xml.Attribute(u"device_type"));
    entry.layoutName = xml.Attribute(u"device_info");
    keyboards_.push_back(entry);
    if (targets.deviceList != nullptr) targets.deviceList->AddDevice(entry.name, entry.deviceType);
    xml.Enter();
    ReadModes(xml, entry, targets);
    xml.Leave();
  }
  xml.Leave();
}

// One connection row per `mode`; the rows share the keyboard's type and layout.
void Catalogue::ReadModes(XmlDocument& xml, CatalogueEntry entry, const CatalogueTargets& targets) {
  while (xml.FindSibling(u"mode")) {
    entry.mode = ZephUI::ParseDecimal(xml.Attribute(u"value"));
    entry.description = xml.Attribute(u"desc");
    entry.vendorId = ZephUI::ParseHex(xml.Attribute(u"vid"));
    entry.productId = ZephUI::ParseHex(xml.Attribute(u"pid"));
    entry.name = xml.Attribute(u"product_name");
    entry.interfacePattern = xml.Attribute(u"hid_interface");
    connections_.push_back(entry);
    if (targets.supportedDevices != nullptr) {
      targets.supportedDevices->AddSupportedDevice(entry.vendorId, entry.productId, entry.name, entry.deviceType,
                                                   entry.mode, entry.interfacePattern);
    }
  }
}

// Each element is searched after the previous one, so one out of order is missed.
void Catalogue::ReadSoftware(XmlDocument& xml, const CatalogueTargets& targets) {
  if (!xml.FindSibling(u"software")) return;
  version_ = xml.Attribute(u"version");
  if (targets.labels != nullptr) targets.labels->SetVersionLabel(u"Ver: " + version_);
  xml.Enter();
  if (xml.FindSibling(u"website")) website_ = xml.Attribute(u"url");
  if (xml.FindSibling(u"store")) store_ = xml.Attribute(u"url");
  if (xml.FindSibling(u"upgrade")) upgrade_ = xml.Attribute(u"url");
  if (xml.FindSibling(u"copyright")) {
    copyright_ = xml.Attribute(u"info");
    if (targets.labels != nullptr) targets.labels->SetCopyrightLabel(copyright_);
  }
}

const CatalogueEntry* Catalogue::FindKeyboard(int deviceType) const {
  for (const CatalogueEntry& entry : keyboards_) {
    if (entry.deviceType == deviceType) return &entry;
  }
  return nullptr;
}

std::u16string ReadDeviceName(const std::string& programFolder) {
  XmlDocument xml;
  if (!xml.LoadFile(ConfigPath(programFolder)) || !xml.FindSibling(u"config") || !xml.Enter() ||
      !xml.FindSibling(u"software")) {
    return {};
  }
  return xml.Attribute(u"name");
}
