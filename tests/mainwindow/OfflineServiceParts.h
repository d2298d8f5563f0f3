// Parts for tests that build the services on the shipped product data
// without a network: catalogue targets that ignore what they are given, a
// program starter that never starts anything, and the data files with every
// web address pointing at a closed port on this machine.
#pragma once

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "catalogue/Catalogue.h"
#include "updater/ProgramStarter.h"

namespace testsupport {

/// Takes the catalogue's devices and labels and keeps nothing.
class NoTargets : public CatalogueDeviceList, public CatalogueLabels {
 public:
  void AddDevice(const std::u16string&, int) override {}
  void SetVersionLabel(const std::u16string&) override {}
  void SetCopyrightLabel(const std::u16string&) override {}
};

/// Refuses every program it is asked to start.
class NeverStarts : public ProgramStarter {
 public:
  bool Start(const std::string&) override { return false; }
};

/// The shipped file `relative` under data/, with every web address pointing at a closed local port.
inline std::string OfflineCopy(const std::string& relative) {
  std::ifstream in(std::string(PELMORA_SOURCE_DIR) + "/data/" + relative);
  std::stringstream text;
  text << in.rdbuf();
  return std::regex_replace(text.str(), std::regex("https://[^\"]*"), "http://127.0.0.1:9/");
}

}  // namespace testsupport
