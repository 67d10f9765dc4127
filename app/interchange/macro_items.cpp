// Writing and reading macro playback settings and records.
#include "interchange/macro_items.h"

#include <string>

#include "QorUI/text.h"
#include "interchange/interchange_names.h"

namespace interchange {

namespace {

void SetInt(XmlDocument& doc, std::string_view name, int value) {
  doc.SetAttribute(name, std::to_string(value));
}

int GetInt(const XmlDocument& doc, std::string_view name) {
  return text::ParseDecimal(doc.GetAttribute(name));
}

}  // namespace

void WritePlayback(XmlDocument& doc, const MacroRow& macro) {
  SetInt(doc, "times", macro.play_times);
  SetInt(doc, "type", macro.delay_type);
  SetInt(doc, "delaytime", macro.delay_time);
}

void ReadPlayback(const XmlDocument& doc, MacroRow& macro) {
  macro.play_times = GetInt(doc, "times");
  macro.delay_type = GetInt(doc, "type");
  macro.delay_time = GetInt(doc, "delaytime");
}

void WriteMacroItems(XmlDocument& doc, const std::vector<MacroRecordRow>& records) {
  for (const MacroRecordRow& record : records) {
    doc.AddElement(kItem);
    doc.SetAttribute("desc", record.desc);
    SetInt(doc, "type", record.type);
    SetInt(doc, "value", record.value);
    SetInt(doc, "delay_time", record.delay_time);
  }
}

std::vector<MacroRecordRow> ReadMacroItems(XmlDocument& doc, int macro_id) {
  std::vector<MacroRecordRow> records;
  while (doc.FindElement(kItem)) {
    MacroRecordRow record;
    record.macro_id = macro_id;
    record.record_index = static_cast<int>(records.size());
    record.desc = doc.GetAttribute("desc");
    record.type = GetInt(doc, "type");
    record.value = GetInt(doc, "value");
    record.delay_time = GetInt(doc, "delay_time");
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace interchange
