// Fuzzes XmlDocument: any bytes decoded as a file, parsed, walked with the
// cursor and edited. A well-formed document must stay well-formed through
// edits, and the edited index must agree with a fresh parse of the text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "QorUI/text.h"
#include "interchange/xml_document.h"
#include "interchange/xml_encoding.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// The names and attribute values the cursor reaches from the root, in order.
std::string Walk(XmlDocument& doc, const std::vector<std::string>& names, int depth) {
  std::string seen;
  if (depth > 8) return seen;
  for (const std::string& name : names) {
    while (doc.FindElement(name)) {
      seen += name + "=" + doc.GetAttribute("a") + ";";
      if (doc.EnterElement()) {
        seen += "(" + Walk(doc, names, depth + 1) + ")";
        Require(doc.LeaveElement());
      }
    }
  }
  return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string notes;
  const std::string decoded = DecodeXmlBytes(bytes, "WINDOWS-1252", notes);
  Require(text::IsValidUtf8(decoded));

  XmlDocument doc;
  const bool well_formed = doc.SetText(bytes);
  const std::vector<std::string> names = {"a", "b", "config", "r"};
  Walk(doc, names, 0);

  // Edits inside the root, where they must keep a document well-formed.
  while (doc.LeaveElement()) {
  }
  const bool inside_root = doc.EnterElement();
  doc.FindElement("b");
  doc.SetAttribute("a", bytes.substr(0, 16));
  doc.AddElement("b");
  doc.SetAttribute("a", "x<&>\"'y");
  doc.EnterElement();
  doc.AddElement("r");
  doc.SetAttribute("a", "inner");
  doc.LeaveElement();
  doc.AddElement("b");
  if (!well_formed || !inside_root) return 0;

  XmlDocument fresh;
  Require(fresh.SetText(doc.GetText()));
  while (doc.LeaveElement()) {
  }
  // Both cursors start at the root: the edited one by climbing, the fresh
  // one by finding it.
  std::string edited_walk;
  if (doc.EnterElement()) edited_walk = Walk(doc, names, 0);
  std::string fresh_walk;
  for (const std::string& name : names) {
    if (fresh.FindElement(name)) {
      fresh.EnterElement();
      fresh_walk = Walk(fresh, names, 0);
      break;
    }
  }
  Require(edited_walk == fresh_walk);

  std::string encoded;
  if (EncodeXmlText(doc.GetText(), "ISO-8859-1", encoded, notes)) {
    Require(text::IsValidUtf8(DecodeXmlBytes(encoded, "ISO-8859-1", notes)));
  }
  return 0;
}
