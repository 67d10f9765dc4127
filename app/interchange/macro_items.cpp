// Writing and reading macro playback settings and records.
#include "interchange/macro_items.h"

#include <string>

#include "QorUI/text.h"
#include "interchange/interchange_names.h"

namespace interchange {

void SetIntAttribute(XmlDocument& doc, std::string_view name, int value) {
  doc.SetAttribute(name, std::to_string(value));
}

int IntAttribute(const XmlDocument& doc, std::string_view name) {
  return text::ParseDecimal(doc.GetAttribute(name));
}

void WritePlayback(XmlDocument& doc, const MacroRow& macro) {
  SetIntAttribute(doc, "times", macro.play_times);
  SetIntAttribute(doc, "type", macro.delay_type);
  SetIntAttribute(doc, "delaytime", macro.delay_time);
}

void ReadPlayback(const XmlDocument& doc, MacroRow& macro) {
  macro.play_times = IntAttribute(doc, "times");
  macro.delay_type = IntAttribute(doc, "type");
  macro.delay_time = IntAttribute(doc, "delaytime");
}

void WriteMacroItems(XmlDocument& doc, const std::vector<MacroRecordRow>& records) {
  for (const MacroRecordRow& record : records) {
    doc.AddElement(kItem);
    doc.SetAttribute("desc", record.desc);
    SetIntAttribute(doc, "type", record.type);
    SetIntAttribute(doc, "value", record.value);
    SetIntAttribute(doc, "delay_time", record.delay_time);
  }
}

std::vector<MacroRecordRow> ReadMacroItems(XmlDocument& doc, int macro_id) {
  std::vector<MacroRecordRow> records;
  while (doc.FindElement(kItem)) {
    MacroRecordRow record;
    record.macro_id = macro_id;
    record.record_index = static_cast<int>(records.size());
    record.desc = doc.GetAttribute("desc");
    record.type = IntAttribute(doc, "type");
    record.value = IntAttribute(doc, "value");
    record.delay_time = IntAttribute(doc, "delay_time");
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace interchange
