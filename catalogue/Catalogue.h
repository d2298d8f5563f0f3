// The software and device catalogue read from "config.xml" in the program
// folder: the served keyboard models, their USB identities per connection mode,
// the software version, its web addresses and the copyright line.
#pragma once

#include <string>
#include <vector>

/// One row of the keyboard table or of the connection table.
struct CatalogueEntry {
  std::u16string name;              ///< keyboard: model name; connection: the product string the interface must report
  int deviceType = 0;               ///< the model's device type (201 for the T40)
  std::u16string layoutName;        ///< base name of the model's layout file
  int mode = 0;                     ///< connection mode: 0 wired, 1 and 2 the other modes
  int vendorId = 0;                 ///< USB vendor id
  int productId = 0;                ///< USB product id
  std::u16string description;       ///< the mode's description; kept, not shown
  std::u16string interfacePattern;  ///< text identifying the identity's interface in a device path
  int present = 0;                  ///< 1 while an interface of this identity is open
};

/// Receives the models for the device list.
class CatalogueDeviceList {
 public:
  virtual ~CatalogueDeviceList() = default;
  /// Adds one model to the list.
  virtual void AddDevice(const std::u16string& name, int deviceType) = 0;
};

/// Receives the USB identities the HID layer is to serve.
class CatalogueSupportedDevices {
 public:
  virtual ~CatalogueSupportedDevices() = default;
  /// Serves one identity.
  virtual void AddSupportedDevice(int vendorId, int productId, const std::u16string& productName, int deviceType,
                                  int mode, const std::u16string& interfacePattern) = 0;
};

/// Receives the texts of the home page labels.
class CatalogueLabels {
 public:
  virtual ~CatalogueLabels() = default;
  /// The version label's text, "Ver: <version>".
  virtual void SetVersionLabel(const std::u16string& text) = 0;
  /// The copyright label's text.
  virtual void SetCopyrightLabel(const std::u16string& text) = 0;
};

/// Where a reading delivers what it finds; any of them may be absent.
struct CatalogueTargets {
  CatalogueDeviceList* deviceList = nullptr;
  CatalogueSupportedDevices* supportedDevices = nullptr;
  CatalogueLabels* labels = nullptr;
};

class Catalogue {
 public:
  /// Empties the tables and reads "<programFolder>config.xml"; false when the file did not load.
  bool Read(const std::string& programFolder, const CatalogueTargets& targets);

  /// The first keyboard row with this device type, or none.
  const CatalogueEntry* FindKeyboard(int deviceType) const;

  /// One row per model, in file order.
  const std::vector<CatalogueEntry>& Keyboards() const { return keyboards_; }
  /// One row per connection mode, in file order.
  const std::vector<CatalogueEntry>& Connections() const { return connections_; }
  /// Mutable connection rows, for the device scan's presence flags.
  std::vector<CatalogueEntry>& Connections() { return connections_; }

  /// The installed software version text.
  const std::u16string& SoftwareVersion() const { return version_; }
  /// The maker's web page.
  const std::u16string& WebsiteUrl() const { return website_; }
  /// The shop page.
  const std::u16string& StoreUrl() const { return store_; }
  /// The base address of software updates.
  const std::u16string& UpgradeUrl() const { return upgrade_; }
  /// The copyright line.
  const std::u16string& Copyright() const { return copyright_; }

 private:
  void ReadKeyboards(class XmlDocument& xml, const CatalogueTargets& targets);
  void ReadModes(XmlDocument& xml, CatalogueEntry entry, const CatalogueTargets& targets);
  void ReadSoftware(XmlDocument& xml, const CatalogueTargets& targets);

  std::vector<CatalogueEntry> keyboards_;
  std::vector<CatalogueEntry> connections_;
  std::u16string version_;
  std::u16string website_;
  std::u16string store_;
  std::u16string upgrade_;
  std::u16string copyright_;
};

/// Reads only the device name (the `software` element's `name`) from "<programFolder>config.xml"; empty on any failure.
std::u16string ReadDeviceName(const std::string& programFolder);
