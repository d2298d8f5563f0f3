#include "mainwindow/AddressOpener.h"

#include <thread>

#include "macros/virtualdevice/PosixCommandRunner.h"

void XdgAddressOpener::Open(const std::string& target) {
  if (target.empty()) return;
  std::thread([target] { PosixCommandRunner().RunAndWait({"xdg-open", target}); }).detach();
}
