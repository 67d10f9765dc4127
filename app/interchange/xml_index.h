// The element index XmlDocument keeps beside its text, the one-pass parser
// that builds it, and the scanner for the attributes of a start tag.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xml {

struct IndexedElement {
  std::size_t start = 0;        // offset of '<'
  std::size_t tag_len = 0;      // the start tag, '<' to '>' inclusive
  std::size_t close_start = 0;  // offset of "</"; equals `end` for "<name/>"
  std::size_t end = 0;          // one past the element
  std::size_t name_len = 0;
  int parent = 0;
  int first_child = 0;
  int next_sibling = 0;
  bool empty_tag = false;  // written as "<name/>"
  bool ill_formed = false;
};

// Slot 0 of an index is the document itself; its children are the
// top-level elements, so 0 also means "none" in the links.
using Index = std::vector<IndexedElement>;

// Builds the index of `text`. False when the text is not a well-formed
// document: a syntax fault, or not exactly one root element. The index then
// holds what could be read. Faults are described in `diagnostics`.
bool ParseXml(std::string_view text, Index& index, std::string& diagnostics);

struct Attribute {
  std::string_view name;
  std::size_t value_start = 0;  // offset in the text, inside the quotes
  std::size_t value_len = 0;
};

// The attribute that starts at or after `pos` inside a start tag ending at
// `tag_end`, or nothing at the end of the tag (or at a malformed attribute).
std::optional<Attribute> NextAttribute(std::string_view text, std::size_t& pos,
                                       std::size_t tag_end);

bool IsNameStart(char c);
bool IsNameChar(char c);
bool IsValidName(std::string_view name);

}  // namespace xml
