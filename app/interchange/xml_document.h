// XmlDocument: the one reader and writer of every XML file the program
// touches. It keeps the whole document as one UTF-8 text with an index of
// its elements and moves through it with a cursor instead of a node tree,
// so a document is written out exactly as it was assembled.
#pragma once

#include <string>
#include <string_view>

#include "interchange/xml_index.h"

class XmlDocument {
 public:
  XmlDocument();

  // Replaces the text, indexes it and resets the position. True when the
  // text is a well-formed document with one root element.
  bool SetText(std::string_view text);

  // Reads and decodes the file (see xml_encoding.h), then parses it like
  // SetText. False when the file cannot be read (the document is then
  // empty) or is not well-formed. Undeclared 8-bit text that is not UTF-8
  // is read in the legacy encoding of the current program language.
  bool LoadFile(const std::string& path);
  bool LoadFile(const std::string& path, std::string_view legacy_encoding);

  // Writes the text in the encoding of its XML declaration (UTF-8 when there
  // is none, without a byte-order mark), replacing the file atomically.
  bool SaveFile(const std::string& path);

  // Moves forward to the next sibling named `name`: after the current
  // element, or from the first child of the parent when there is none. Never
  // searches backwards; on failure the position is unchanged.
  bool FindElement(std::string_view name);
  // The current element becomes the parent, with no current element.
  bool EnterElement();
  // The parent becomes the current element; false at the top level.
  bool LeaveElement();

  // The attribute's value with entity references decoded; empty when there
  // is no current element or no such attribute.
  std::string GetAttribute(std::string_view name) const;

  // Inserts "<name/>" on a line of its own after the current element (or
  // after the parent's last child) and makes it current. False for a name
  // that is not an XML name.
  bool AddElement(std::string_view name);
  // Sets the attribute on the current element, escaping the value. False
  // without a current element or for an invalid name.
  bool SetAttribute(std::string_view name, std::string_view value);

  bool IsWellFormed() const { return m_well_formed; }
  const std::string& GetText() const { return m_text; }
  // Notes on loading, decoding and parsing; the program never shows them.
  const std::string& GetDiagnostics() const { return m_diagnostics; }

 private:
  void Clear();
  bool Parse(std::string_view text);
  std::string_view NameOf(int element) const;
  int LastChild(int parent) const;
  // Replaces `old_len` bytes at `pos` and moves every offset of the index.
  void Replace(std::size_t pos, std::size_t old_len, std::string_view replacement);
  // Rewrites "<name .../>" as "<name ...>" and appends `content` and the
  // end tag after it; returns the offset where `content` begins.
  std::size_t OpenEmptyElement(int element, std::string_view content);

  std::string m_text;
  xml::Index m_index;
  int m_parent = 0;   // 0: the top level
  int m_current = 0;  // 0: none
  bool m_well_formed = false;
  std::string m_diagnostics;
};
