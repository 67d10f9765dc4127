// The macro file: "macroinfo" and its sibling "macroitems" under "macro".
#include "interchange/macro_file.h"

#include "interchange/interchange_names.h"
#include "interchange/macro_items.h"
#include "interchange/xml_document.h"

namespace interchange {

bool WriteMacroFile(ProfileStore& store, int macro_id, const std::string& path) {
  MacroRow macro;
  if (!store.GetMacro(macro_id, macro)) return false;
  std::vector<MacroRecordRow> records;
  store.GetMacroRecords(macro_id, records);

  XmlDocument doc;
  doc.SetText(kDeclaration);
  doc.AddElement(kMacroRoot);
  doc.EnterElement();
  doc.AddElement(kMacroInfo);
  doc.SetAttribute("name", macro.name);
  WritePlayback(doc, macro);
  doc.AddElement(kMacroItems);
  doc.EnterElement();
  WriteMacroItems(doc, records);
  return doc.SaveFile(path);
}

MacroImport ReadMacroFile(ProfileStore& store, const std::string& path) {
  MacroImport result;
  XmlDocument doc;
  if (!doc.LoadFile(path) || !doc.FindElement(kMacroRoot) || !doc.EnterElement()) return result;
  result.readable = true;

  MacroRow macro;
  macro.name = NameFromFileName(path);
  if (doc.FindElement(kMacroInfo)) ReadPlayback(doc, macro);
  macro.link_count = 0;
  result.name = macro.name;
  result.macro_id = std::max(store.AddMacroWithSettings(macro), 0);
  if (result.macro_id > 0 && doc.FindElement(kMacroItems) && doc.EnterElement()) {
    const std::vector<MacroRecordRow> records = ReadMacroItems(doc, result.macro_id);
    if (store.AddMacroRecords(records)) result.records = static_cast<int>(records.size());
  }
  return result;
}

}  // namespace interchange
