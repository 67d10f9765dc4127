// The profile file: built element by element in the layout the format fixes,
// read forward only, as the document's cursor allows.
#include "interchange/profile_file.h"

#include <algorithm>

#include "interchange/interchange_names.h"
#include "interchange/macro_items.h"
#include "interchange/program_start_consent.h"
#include "interchange/xml_document.h"
#include "keys/assignment_kind.h"

namespace interchange {

namespace {

constexpr int kMacroKind = static_cast<int>(AssignmentKind::kMacro);
constexpr int kOpenProgramKind = static_cast<int>(AssignmentKind::kOpenProgram);

void WriteKeyItem(XmlDocument& doc, const KeyAssignmentRow& row) {
  doc.AddElement(kItem);
  SetIntAttribute(doc, "fn_layer", row.fn_layer);
  SetIntAttribute(doc, "key_code", row.key_code);
  SetIntAttribute(doc, "layout_value", row.layout_value);
  doc.SetAttribute("layout_desc", row.layout_desc);
  SetIntAttribute(doc, "macro_type", row.macro_type);
  SetIntAttribute(doc, "macro_value", row.macro_value);
  SetIntAttribute(doc, "macro_value2", row.macro_value2);
  SetIntAttribute(doc, "macro_value3", row.macro_value3);
  doc.SetAttribute("macro_desc", row.macro_desc);
}

KeyAssignmentRow ReadKeyItem(const XmlDocument& doc, int profile) {
  KeyAssignmentRow row;
  row.profile = profile;
  row.fn_layer = IntAttribute(doc, "fn_layer");
  row.key_code = IntAttribute(doc, "key_code");
  row.layout_value = IntAttribute(doc, "layout_value");
  row.layout_desc = doc.GetAttribute("layout_desc");
  row.macro_type = IntAttribute(doc, "macro_type");
  row.macro_value = IntAttribute(doc, "macro_value");
  row.macro_value2 = IntAttribute(doc, "macro_value2");
  row.macro_value3 = IntAttribute(doc, "macro_value3");
  row.macro_desc = doc.GetAttribute("macro_desc");
  return row;
}

// Enters the root when the document has the expected one.
bool EnterRoot(XmlDocument& doc, std::string_view root) {
  return doc.IsWellFormed() && doc.FindElement(root) && doc.EnterElement();
}

// The first pass: adds the file's macros the store does not already hold
// and returns which new id each file id now stands for.
std::map<int, int> ImportMacros(ProfileStore& store, XmlDocument& doc, ProfileImport& result) {
  std::vector<MacroRow> existing;
  store.GetMacros(existing);
  std::map<int, int> new_ids;
  while (doc.FindElement(kMacroInfo)) {
    MacroRow macro;
    macro.name = doc.GetAttribute("name");
    const int file_id = IntAttribute(doc, "macro_id");
    const bool held = std::any_of(existing.begin(), existing.end(), [&](const MacroRow& m) {
      return m.macro_id == file_id && m.name == macro.name;
    });
    if (held || new_ids.contains(file_id)) continue;
    ReadPlayback(doc, macro);
    macro.link_count = 0;
    const int new_id = store.AddMacroWithSettings(macro);
    new_ids[file_id] = new_id;
    // Records under an id the store never gave would belong to no macro.
    if (new_id <= 0) continue;
    result.macros.push_back({new_id, macro.name});
    if (doc.EnterElement()) {
      if (doc.FindElement(kMacroItems) && doc.EnterElement()) {
        store.AddMacroRecords(ReadMacroItems(doc, new_id));
        doc.LeaveElement();
      }
      doc.LeaveElement();
    }
  }
  return new_ids;
}

// The second pass: the new profile and its key rows.
void ImportKeyRows(ProfileStore& store, XmlDocument& doc, const std::map<int, int>& new_ids,
                   ProfileImport& result) {
  doc.FindElement(kProfileInfo);
  ProfileRow profile;
  profile.name = result.name;
  result.profile = store.AddProfile(profile);
  if (result.profile <= 0) {
    result.profile = 0;
    return;
  }
  // A profile imported under the id of an earlier one must be confirmed
  // again; when that cannot be recorded its program keys are left out.
  const bool programs_allowed = ProgramStartConsent(store.DatabasePath()).Revoke(result.profile);
  if (!doc.FindElement(kKeyItems) || !doc.EnterElement()) return;
  while (doc.FindElement(kItem)) {
    KeyAssignmentRow row = ReadKeyItem(doc, result.profile);
    if (row.macro_type == kMacroKind) {
      const auto mapped = new_ids.find(row.macro_value);
      if (mapped != new_ids.end()) row.macro_value = mapped->second;
    }
    if (row.macro_type == kOpenProgramKind && !programs_allowed) continue;
    if (store.SaveKeyAssignment(row) > 0) {
      ++result.assignments;
      if (row.macro_type == kOpenProgramKind) result.opens_programs = true;
    }
  }
}

}  // namespace

bool WriteProfileFile(ProfileStore& store, int profile, const std::string& name,
                      const std::string& path) {
  std::vector<KeyAssignmentRow> rows;
  store.GetKeyAssignments(profile, kBaseLayer, rows);

  XmlDocument doc;
  doc.SetText(kDeclaration);
  doc.AddElement(kProfileRoot);
  doc.EnterElement();
  doc.AddElement(kProfileInfo);
  doc.SetAttribute("name", name);
  doc.AddElement(kKeyItems);
  doc.EnterElement();
  for (const KeyAssignmentRow& row : rows) WriteKeyItem(doc, row);
  doc.LeaveElement();

  // One macroinfo per macro key, so a macro used twice is written twice.
  for (const KeyAssignmentRow& row : rows) {
    MacroRow macro;
    if (row.macro_type != kMacroKind || !store.GetMacro(row.macro_value, macro)) continue;
    std::vector<MacroRecordRow> records;
    store.GetMacroRecords(macro.macro_id, records);
    doc.AddElement(kMacroInfo);
    doc.SetAttribute("name", macro.name);
    SetIntAttribute(doc, "macro_id", macro.macro_id);
    WritePlayback(doc, macro);
    doc.EnterElement();
    doc.AddElement(kMacroItems);
    doc.EnterElement();
    WriteMacroItems(doc, records);
    doc.LeaveElement();
    doc.LeaveElement();
  }
  return doc.SaveFile(path);
}

ProfileImport ReadProfileFile(ProfileStore& store, const std::string& path) {
  ProfileImport result;
  XmlDocument macros_pass;
  macros_pass.LoadFile(path);
  if (!EnterRoot(macros_pass, kProfileRoot)) return result;
  result.readable = true;
  const std::map<int, int> new_ids = ImportMacros(store, macros_pass, result);

  // The second pass reads the same text again from its start.
  XmlDocument rows_pass;
  rows_pass.SetText(macros_pass.GetText());
  EnterRoot(rows_pass, kProfileRoot);
  result.name = NameFromFileName(path);
  ImportKeyRows(store, rows_pass, new_ids, result);
  return result;
}

}  // namespace interchange
