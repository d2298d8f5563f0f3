#include "app/Startup.h"

#include "app/LanguageText.h"
#include "app/Paths.h"
#include "app/Settings.h"
#include "app/SystemLanguage.h"
#include "catalogue/Catalogue.h"
#include "zephui/Manager.h"

void LoadDeviceName(const std::string& programFolder) { ZephUI::Manager::SetDeviceName(ReadDeviceName(programFolder)); }

int ChooseLanguage(int systemLanguage) {
  int language = ReadLanguageId();
  if (language == 0) {
    language = systemLanguage;
    SetLanguageId(language);
    // Other languages are detected afresh at every start instead of stored.
    if (language == kLanguageEnglishUs) WriteLanguageId();
  }
  SetLanguageId(language);
  return language;
}

bool PrepareDatabaseFolder() { return CreateFolderTree(GetUserDataFolder() + "db"); }
