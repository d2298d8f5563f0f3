#include "store/ExchangeFiles.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "app/AtomicFile.h"
#include "catalogue/XmlDocument.h"
#include "store/MacroLimits.h"
#include "store/ProfileStore.h"
#include "zephui/Text.h"

namespace {

constexpr char16_t kHeader[] = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

void SetNumber(XmlDocument& xml, const char16_t* name, int value) { xml.SetAttribute(name, ZephUI::DecimalText(value)); }

int Number(const XmlDocument& xml, const char16_t* name) { return ZephUI::ParseDecimal(xml.Attribute(name)); }

// Writes <macroinfo> with its steps after the current element and leaves it current.
void WriteMacro(XmlDocument& xml, ProfileStore& store, const MacroRecord& macro, bool withId) {
  xml.AppendSibling(u"macroinfo");
  xml.SetAttribute(u"name", macro.name);
  if (withId) SetNumber(xml, u"macro_id", macro.macroId);
  SetNumber(xml, u"times", macro.playTimes);
  SetNumber(xml, u"type", macro.delayType);
  SetNumber(xml, u"delaytime", macro.delayTime);
  xml.Enter();
  xml.AppendSibling(u"macroitems");
  xml.Enter();
  std::vector<StepRecord> steps;
  store.ListSteps(macro.macroId, steps);
  for (const StepRecord& step : steps) {
    xml.AppendSibling(u"item");
    xml.SetAttribute(u"desc", step.description);
    SetNumber(xml, u"type", step.type);
    SetNumber(xml, u"value", step.value);
    SetNumber(xml, u"delay_time", step.delayTime);
  }
  xml.Leave();
  xml.Leave();
}

void WriteAssignment(XmlDocument& xml, const KeyAssignmentRecord& a) {
  xml.AppendSibling(u"item");
  SetNumber(xml, u"fn_layer", a.layer);
  SetNumber(xml, u"key_code", a.keyCode);
  SetNumber(xml, u"layout_value", a.layoutValue);
  xml.SetAttribute(u"layout_desc", a.layoutDescription);
  SetNumber(xml, u"macro_type", a.macroType);
  SetNumber(xml, u"macro_value", a.macroValue);
  SetNumber(xml, u"macro_value2", a.macroValue2);
  SetNumber(xml, u"macro_value3", a.macroValue3);
  xml.SetAttribute(u"macro_desc", a.description);
}

// A delay the recorder could never have measured is cut to its cap, so a file cannot make playback sleep for days.
int Delay(const XmlDocument& xml, const char16_t* name) { return std::clamp(Number(xml, name), 0, kMaxStepDelayMs); }

MacroRecord MacroFromFile(const XmlDocument& xml, std::u16string name) {
  MacroRecord macro;
  macro.name = std::move(name);
  macro.playTimes = Number(xml, u"times");
  macro.delayType = Number(xml, u"type");
  macro.delayTime = Delay(xml, u"delaytime");
  macro.linkCount = 0;
  macro.loopType = 0;
  return macro;
}

// A macro as a file gives it, read whole before the store is touched.
struct FileMacro {
  MacroRecord macro;
  int fileId = 0;
  std::vector<StepRecord> steps;
};

// Reads the <item> steps of the current <macroinfo>'s <macroitems>; false when there are more than a macro may hold.
bool ReadSteps(XmlDocument& xml, std::vector<StepRecord>& steps) {
  xml.Enter();
  if (xml.FindSibling(u"macroitems") && xml.Enter()) {
    while (xml.FindSibling(u"item")) {
      if (steps.size() >= static_cast<std::size_t>(kMaxMacroSteps)) return false;
      steps.push_back(StepRecord{0, 0, Number(xml, u"type"), static_cast<int>(steps.size()), Number(xml, u"value"),
                                 Delay(xml, u"delay_time"), xml.Attribute(u"desc")});
    }
    xml.Leave();
  }
  xml.Leave();
  return true;
}

// Only a regular file is read (a pipe would never end), and only up to the size a document may have.
bool LoadImport(XmlDocument& xml, const std::string& path, const char16_t* root) {
  std::string bytes;
  return ReadWholeFile(path, bytes, XmlDocument::kMaxFileBytes) && xml.LoadBytes(bytes) && xml.FindSibling(root) &&
         xml.Enter();
}

}  // namespace

ExchangeFiles::ExchangeFiles(ProfileStore& store) : store_(store) {}

std::u16string ExchangeFiles::NameFromPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = file.find('.');
  return dot == std::string::npos ? std::u16string() : ZephUI::ToUtf16(file.substr(0, dot));
}

bool ExchangeFiles::ExportProfile(int profileId, const std::string& path) {
  std::u16string name;
  store_.GetProfileName(profileId, name);
  std::vector<KeyAssignmentRecord> assignments;
  store_.ListKeyAssignments(profileId, 0, assignments);
  XmlDocument xml;
  xml.SetText(kHeader);
  xml.AppendSibling(u"profile");
  xml.Enter();
  xml.AppendSibling(u"profileinfo");
  xml.SetAttribute(u"name", name);
  xml.AppendSibling(u"keyitems");
  xml.Enter();
  std::vector<int> macroIds;
  for (const KeyAssignmentRecord& a : assignments) {
    WriteAssignment(xml, a);
    if (a.macroType == kMacroAssignment) macroIds.push_back(a.macroValue);
  }
  xml.Leave();
  // One <macroinfo> per key that plays a macro, repeats included.
  for (int id : macroIds) {
    MacroRecord macro;
    if (store_.ReadMacro(id, macro)) WriteMacro(xml, store_, macro, true);
  }
  return xml.SaveFile(path);
}

bool ExchangeFiles::ExportMacro(int macroId, const std::string& path) {
  MacroRecord macro;
  if (!store_.ReadMacro(macroId, macro)) return false;
  XmlDocument xml;
  xml.SetText(kHeader);
  xml.AppendSibling(u"macro");
  xml.Enter();
  WriteMacro(xml, store_, macro, false);
  return xml.SaveFile(path);
}

namespace {

// What a profile file asks to be stored.
struct ProfileFile {
  std::vector<FileMacro> macros;  // only those not already in the database
  std::vector<KeyAssignmentRecord> keys;
};

// First reading: every <macroinfo> that is not a macro of this database (same name and same id).
bool ReadProfileMacros(XmlDocument& xml, const std::vector<MacroRecord>& existing, std::vector<FileMacro>& macros) {
  std::set<std::pair<std::u16string, int>> known;
  for (const MacroRecord& m : existing) known.emplace(m.name, m.macroId);
  int count = 0;
  while (xml.FindSibling(u"macroinfo")) {
    if (++count > ExchangeFiles::kMaxMacros) return false;
    FileMacro macro{MacroFromFile(xml, xml.Attribute(u"name")), Number(xml, u"macro_id"), {}};
    if (known.contains({macro.macro.name, macro.fileId})) continue;  // exported from here: reused
    if (!ReadSteps(xml, macro.steps)) return false;
    macros.push_back(std::move(macro));
  }
  return true;
}

// Second reading: the key assignments of every layer.
bool ReadKeyItems(XmlDocument& xml, std::vector<KeyAssignmentRecord>& keys) {
  if (!xml.FindSibling(u"keyitems") || !xml.Enter()) return true;
  while (xml.FindSibling(u"item")) {
    if (keys.size() >= static_cast<std::size_t>(ExchangeFiles::kMaxKeyItems)) return false;
    keys.push_back(KeyAssignmentRecord{0, 0, Number(xml, u"fn_layer"), Number(xml, u"key_code"),
                                       Number(xml, u"layout_value"), xml.Attribute(u"layout_desc"),
                                       Number(xml, u"macro_type"), Number(xml, u"macro_value"),
                                       Number(xml, u"macro_value2"), Number(xml, u"macro_value3"),
                                       xml.Attribute(u"macro_desc")});
  }
  return true;
}

// The whole file, or false when it is no profile file (no <profileinfo> included) or exceeds a limit.
bool ReadProfileFile(const std::string& path, const std::vector<MacroRecord>& existing, ProfileFile& file) {
  XmlDocument xml;
  if (!LoadImport(xml, path, u"profile") || !ReadProfileMacros(xml, existing, file.macros)) return false;
  xml.Leave();
  xml.Enter();  // the profile itself is read from the top again
  return xml.FindSibling(u"profileinfo") && ReadKeyItems(xml, file.keys);
}

bool ReadMacroFile(const std::string& path, std::u16string name, FileMacro& macro) {
  XmlDocument xml;
  if (!LoadImport(xml, path, u"macro") || !xml.FindSibling(u"macroinfo")) return false;
  macro.macro = MacroFromFile(xml, std::move(name));
  return ReadSteps(xml, macro.steps);
}

// Stores the assignments for the new profile, played macros renumbered.
bool StoreAssignments(ProfileStore& store, std::vector<KeyAssignmentRecord>& keys, int profileId,
                      const std::map<int, int>& idMap) {
  for (KeyAssignmentRecord& a : keys) {
    a.profile = profileId;
    if (a.macroType == kMacroAssignment) {
      if (const auto it = idMap.find(a.macroValue); it != idMap.end()) a.macroValue = it->second;
    }
    const bool isDefault = a.keyCode == 0 || (a.macroValue == 0 && a.macroValue2 == 0);
    if (store.SaveKeyAssignment(a) == 0 && !isDefault) return false;
  }
  return true;
}

struct ImportedMacro {
  std::u16string name;
  int id;
};

}  // namespace

// The file is read and checked before the store is locked; storing is one transaction.
int ExchangeFiles::ImportProfile(const std::string& path, ExchangeListener& listener) {
  std::vector<MacroRecord> existing;
  store_.ListMacros(existing);
  ProfileFile file;
  if (!ReadProfileFile(path, existing, file)) return 0;
  const std::u16string name = NameFromPath(path);
  std::map<int, int> idMap;
  std::vector<ImportedMacro> macros;
  int profileId = 0;
  const bool stored = store_.RunInTransaction([&] {
    for (FileMacro& m : file.macros) {
      int newId = 0;
      if (!store_.AddMacroWithSteps(m.macro, std::move(m.steps), newId)) return false;
      idMap[m.fileId] = newId;  // a later <macroinfo> with the same id wins
      macros.push_back(ImportedMacro{m.macro.name, newId});
    }
    profileId = store_.AddProfile(ProfileRecord{0, name, u"", 0, 0});
    return profileId != 0 && StoreAssignments(store_, file.keys, profileId, idMap) && store_.SetActiveProfile(profileId);
  });
  if (!stored) return 0;
  for (const ImportedMacro& m : macros) listener.MacroImported(m.name, m.id, true);
  listener.ProfileImported(name, profileId);
  return profileId;
}

int ExchangeFiles::ImportMacro(const std::string& path, ExchangeListener& listener) {
  const std::u16string name = NameFromPath(path);
  FileMacro macro;
  if (!ReadMacroFile(path, name, macro)) return 0;
  int macroId = 0;
  if (!store_.AddMacroWithSteps(macro.macro, std::move(macro.steps), macroId)) return 0;
  listener.MacroImported(name, macroId, false);
  return macroId;
}
