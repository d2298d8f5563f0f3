#include "store/ExchangeFiles.h"

#include <map>
#include <utility>
#include <vector>

#include "catalogue/XmlDocument.h"
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

MacroRecord MacroFromFile(const XmlDocument& xml, std::u16string name) {
  MacroRecord macro;
  macro.name = std::move(name);
  macro.playTimes = Number(xml, u"times");
  macro.delayType = Number(xml, u"type");
  macro.delayTime = Number(xml, u"delaytime");
  macro.linkCount = 0;
  macro.loopType = 0;
  return macro;
}

// Adds the <item> steps of the current <macroinfo>'s <macroitems>, numbered from 0.
bool ImportSteps(XmlDocument& xml, ProfileStore& store, int macroId) {
  std::vector<StepRecord> steps;
  xml.Enter();
  if (xml.FindSibling(u"macroitems") && xml.Enter()) {
    while (xml.FindSibling(u"item")) {
      if (steps.size() >= static_cast<std::size_t>(ExchangeFiles::kMaxSteps)) return false;
      steps.push_back(StepRecord{0, macroId, Number(xml, u"type"), static_cast<int>(steps.size()),
                                 Number(xml, u"value"), Number(xml, u"delay_time"), xml.Attribute(u"desc")});
    }
    xml.Leave();
  }
  xml.Leave();
  const std::size_t count = steps.size();
  return count == 0 || store.AddSteps(std::move(steps)) == static_cast<int>(count);
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

struct ImportedMacro {
  std::u16string name;
  int id;
};

// First reading: every <macroinfo> not already in the database becomes a new
// macro; returns false when anything could not be stored.
bool ImportProfileMacros(XmlDocument& xml, ProfileStore& store, std::map<int, int>& idMap,
                         std::vector<ImportedMacro>& imported) {
  std::vector<MacroRecord> existing;
  store.ListMacros(existing);
  int count = 0;
  while (xml.FindSibling(u"macroinfo")) {
    if (++count > ExchangeFiles::kMaxMacros) return false;
    const std::u16string name = xml.Attribute(u"name");
    const int fileId = Number(xml, u"macro_id");
    bool known = false;
    for (const MacroRecord& m : existing) known |= m.name == name && m.macroId == fileId;
    if (known) continue;  // the same macro exported from this database: reuse it
    int newId = 0;
    if (!store.InsertMacro(MacroFromFile(xml, name), newId)) return false;
    idMap[fileId] = newId;
    imported.push_back(ImportedMacro{name, newId});
    if (!ImportSteps(xml, store, newId)) return false;
  }
  return true;
}

// Second reading: the key assignments of every layer, played macros renumbered.
bool ImportAssignments(XmlDocument& xml, ProfileStore& store, int profileId, const std::map<int, int>& idMap) {
  if (!xml.FindSibling(u"keyitems") || !xml.Enter()) return true;
  int count = 0;
  while (xml.FindSibling(u"item")) {
    if (++count > ExchangeFiles::kMaxKeyItems) return false;
    KeyAssignmentRecord a{0, profileId, Number(xml, u"fn_layer"), Number(xml, u"key_code"), Number(xml, u"layout_value"),
                          xml.Attribute(u"layout_desc"), Number(xml, u"macro_type"), Number(xml, u"macro_value"),
                          Number(xml, u"macro_value2"), Number(xml, u"macro_value3"), xml.Attribute(u"macro_desc")};
    if (a.macroType == kMacroAssignment) {
      if (const auto it = idMap.find(a.macroValue); it != idMap.end()) a.macroValue = it->second;
    }
    const bool isDefault = a.keyCode == 0 || (a.macroValue == 0 && a.macroValue2 == 0);
    if (store.SaveKeyAssignment(a) == 0 && !isDefault) return false;
  }
  return true;
}

bool EnterRoot(XmlDocument& xml, const std::string& path, const char16_t* root) {
  return xml.LoadFile(path) && xml.FindSibling(root) && xml.Enter();
}

}  // namespace

int ExchangeFiles::ImportProfile(const std::string& path, ExchangeListener& listener) {
  std::map<int, int> idMap;
  std::vector<ImportedMacro> macros;
  const std::u16string name = NameFromPath(path);
  int profileId = 0;
  const bool stored = store_.RunInTransaction([&] {
    XmlDocument xml;
    if (EnterRoot(xml, path, u"profile") && !ImportProfileMacros(xml, store_, idMap, macros)) return false;
    // The file is read again from the top for the profile itself.
    if (!EnterRoot(xml, path, u"profile") || !xml.FindSibling(u"profileinfo")) return true;  // no profile to add
    profileId = store_.AddProfile(ProfileRecord{0, name, u"", 0, 0});
    return profileId != 0 && ImportAssignments(xml, store_, profileId, idMap) && store_.SetActiveProfile(profileId);
  });
  if (!stored) return 0;
  for (const ImportedMacro& m : macros) listener.MacroImported(m.name, m.id, true);
  if (profileId != 0) listener.ProfileImported(name, profileId);
  return profileId;
}

int ExchangeFiles::ImportMacro(const std::string& path, ExchangeListener& listener) {
  const std::u16string name = NameFromPath(path);
  int macroId = 0;
  const bool stored = store_.RunInTransaction([&] {
    XmlDocument xml;
    if (!EnterRoot(xml, path, u"macro") || !xml.FindSibling(u"macroinfo")) return false;
    return store_.InsertMacro(MacroFromFile(xml, name), macroId) && ImportSteps(xml, store_, macroId);
  });
  if (!stored) return 0;
  listener.MacroImported(name, macroId, false);
  return macroId;
}
