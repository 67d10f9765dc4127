// What both file kinds share: integer attributes, a macro's playback
// attributes and its list of records as "item" elements.
#pragma once

#include <vector>

#include "interchange/xml_document.h"
#include "store/store_rows.h"

namespace interchange {

// Integers are written with "%d" and read like _wtoi (anything else is 0).
void SetIntAttribute(XmlDocument& doc, std::string_view name, int value);
int IntAttribute(const XmlDocument& doc, std::string_view name);

// Sets "times", "type" and "delaytime" of the current element.
void WritePlayback(XmlDocument& doc, const MacroRow& macro);
// Reads them from the current element (0 where missing) into `macro`.
void ReadPlayback(const XmlDocument& doc, MacroRow& macro);

// Adds one "item" per record (desc, type, value, delay_time) inside the
// element the document has entered, in the given order.
void WriteMacroItems(XmlDocument& doc, const std::vector<MacroRecordRow>& records);
// Reads the "item" children of the entered element as records of
// `macro_id`, numbered 0, 1, 2, ... in file order.
std::vector<MacroRecordRow> ReadMacroItems(XmlDocument& doc, int macro_id);

}  // namespace interchange
