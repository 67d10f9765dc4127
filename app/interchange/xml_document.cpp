// Navigation, editing, loading and saving of XmlDocument.
#include "interchange/xml_document.h"

#include "interchange/xml_encoding.h"
#include "interchange/xml_entities.h"
#include "platform/file_io.h"
#include "shell/current_language.h"

namespace {

// Far above any file the program reads; a larger file is refused unread.
constexpr std::size_t kMaxFileBytes = 64u << 20;

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

XmlDocument::XmlDocument() {
  Clear();
}

void XmlDocument::Clear() {
  m_text.clear();
  m_index.assign(1, xml::IndexedElement{});
  m_parent = m_current = 0;
  m_well_formed = false;
}

bool XmlDocument::SetText(std::string_view text) {
  m_diagnostics.clear();
  return Parse(text);
}

bool XmlDocument::Parse(std::string_view text) {
  Clear();
  m_text.assign(text);
  m_well_formed = xml::ParseXml(m_text, m_index, m_diagnostics);
  return m_well_formed;
}

bool XmlDocument::LoadFile(const std::string& path) {
  return LoadFile(path, LegacyEncodingFor(CurrentLanguage()));
}

bool XmlDocument::LoadFile(const std::string& path, std::string_view legacy_encoding) {
  Clear();
  m_diagnostics.clear();
  std::string bytes;
  switch (ReadWholeFile(path, kMaxFileBytes, bytes)) {
    case FileReadStatus::kOk:
      break;
    case FileReadStatus::kMissing:
      m_diagnostics += "cannot open " + path + ": no such file\n";
      return false;
    case FileReadStatus::kTooLarge:
      m_diagnostics += "cannot read " + path + ": larger than 64 MiB\n";
      return false;
    case FileReadStatus::kFailed:
      m_diagnostics += "cannot read " + path + "\n";
      return false;
  }
  return Parse(DecodeXmlBytes(bytes, legacy_encoding, m_diagnostics));
}

bool XmlDocument::SaveFile(const std::string& path) {
  std::string bytes;
  if (!EncodeXmlText(m_text, FindDeclaredEncoding(m_text), bytes, m_diagnostics)) return false;
  if (WriteFileAtomically(path, bytes)) return true;
  m_diagnostics += "cannot write " + path + "\n";
  return false;
}

std::string_view XmlDocument::NameOf(int element) const {
  const xml::IndexedElement& e = m_index[element];
  return std::string_view(m_text).substr(e.start + 1, e.name_len);
}

int XmlDocument::LastChild(int parent) const {
  int last = 0;
  for (int e = m_index[parent].first_child; e; e = m_index[e].next_sibling) last = e;
  return last;
}

bool XmlDocument::FindElement(std::string_view name) {
  int e = m_current ? m_index[m_current].next_sibling : m_index[m_parent].first_child;
  for (; e; e = m_index[e].next_sibling) {
    if (NameOf(e) == name) {
      m_current = e;
      return true;
    }
  }
  return false;
}

bool XmlDocument::EnterElement() {
  if (!m_current) return false;
  m_parent = m_current;
  m_current = 0;
  return true;
}

bool XmlDocument::LeaveElement() {
  if (!m_parent) return false;
  m_current = m_parent;
  m_parent = m_index[m_parent].parent;
  return true;
}

std::string XmlDocument::GetAttribute(std::string_view name) const {
  if (!m_current) return {};
  const xml::IndexedElement& e = m_index[m_current];
  const std::size_t tag_end = e.start + e.tag_len;
  std::size_t pos = e.start + 1 + e.name_len;
  while (auto attribute = xml::NextAttribute(m_text, pos, tag_end)) {
    if (attribute->name == name) {
      return DecodeEntities(
          std::string_view(m_text).substr(attribute->value_start, attribute->value_len));
    }
  }
  return {};
}

void XmlDocument::Replace(std::size_t pos, std::size_t old_len, std::string_view replacement) {
  m_text.replace(pos, old_len, replacement);
  const auto move = [delta = static_cast<std::ptrdiff_t>(replacement.size()) -
                             static_cast<std::ptrdiff_t>(old_len)](std::size_t& offset) {
    offset = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(offset) + delta);
  };
  const std::size_t old_end = pos + old_len;
  for (std::size_t i = 1; i < m_index.size(); ++i) {
    xml::IndexedElement& e = m_index[i];
    if (e.start >= old_end) {
      move(e.start);
      move(e.close_start);
      move(e.end);
    } else if (e.start < pos && e.end > pos) {
      if (pos < e.start + e.tag_len) e.tag_len = e.tag_len + replacement.size() - old_len;
      if (e.close_start >= old_end) move(e.close_start);
      move(e.end);
    }
  }
  m_index[0].end = m_index[0].close_start = m_text.size();
}

std::size_t XmlDocument::OpenEmptyElement(int element, std::string_view content) {
  xml::IndexedElement& e = m_index[element];
  std::size_t slash = e.start + e.tag_len - 2;
  while (slash > e.start && (m_text[slash - 1] == ' ' || m_text[slash - 1] == '\t')) --slash;
  Replace(slash, e.start + e.tag_len - slash, ">");
  const std::string end_tag = "</" + std::string(NameOf(element)) + ">";
  const std::size_t at = e.end;
  Replace(at, 0, std::string(content) + end_tag);
  // Replace() only grows elements that contain the insertion point; this
  // one ends exactly there, so it is extended by hand.
  e.end = at + content.size() + end_tag.size();
  e.close_start = e.end - end_tag.size();
  e.empty_tag = false;
  return at;
}

bool XmlDocument::AddElement(std::string_view name) {
  // Elements the parser could not delimit are never edited.
  if (!xml::IsValidName(name) || m_index[m_parent].ill_formed || m_index[m_current].ill_formed) {
    return false;
  }
  const std::string tag = "<" + std::string(name) + "/>";
  const int previous = m_current ? m_current : LastChild(m_parent);
  xml::IndexedElement added;
  added.parent = m_parent;
  added.name_len = name.size();
  added.tag_len = tag.size();
  added.empty_tag = true;
  const int id = static_cast<int>(m_index.size());

  if (!previous && m_parent && m_index[m_parent].empty_tag) {
    const std::string content = std::string(kLineEnd) + tag + std::string(kLineEnd);
    added.start = OpenEmptyElement(m_parent, content) + kLineEnd.size();
  } else {
    std::size_t pos;
    if (previous) {
      // After the previous element and the line end that follows it.
      pos = m_index[previous].end;
      if (std::string_view(m_text).substr(pos).starts_with(kLineEnd)) {
        pos += kLineEnd.size();
      } else if (pos < m_text.size() && m_text[pos] == '\n') {
        ++pos;
      }
    } else {
      pos = m_parent ? m_index[m_parent].close_start : m_text.size();
    }
    const bool own_line = pos == 0 || m_text[pos - 1] == '\n';
    const std::string inserted =
        (own_line ? "" : std::string(kLineEnd)) + tag + std::string(kLineEnd);
    Replace(pos, 0, inserted);
    added.start = pos + (own_line ? 0 : kLineEnd.size());
  }
  added.end = added.close_start = added.start + tag.size();
  m_index.push_back(added);
  if (m_current) {
    m_index[id].next_sibling = m_index[m_current].next_sibling;
    m_index[m_current].next_sibling = id;
  } else if (previous) {
    m_index[previous].next_sibling = id;
  } else {
    m_index[m_parent].first_child = id;
  }
  m_current = id;
  return true;
}

bool XmlDocument::SetAttribute(std::string_view name, std::string_view value) {
  if (!m_current || m_index[m_current].ill_formed || !xml::IsValidName(name)) return false;
  const std::string escaped = EscapeAttribute(value);
  const xml::IndexedElement& e = m_index[m_current];
  const std::size_t tag_end = e.start + e.tag_len;
  std::size_t pos = e.start + 1 + e.name_len;
  while (auto attribute = xml::NextAttribute(m_text, pos, tag_end)) {
    if (attribute->name == name) {
      Replace(attribute->value_start, attribute->value_len, escaped);
      return true;
    }
  }
  std::size_t at = tag_end - (e.empty_tag ? 2 : 1);
  while (at > e.start + 1 + e.name_len && (m_text[at - 1] == ' ' || m_text[at - 1] == '\t')) --at;
  Replace(at, 0, " " + std::string(name) + "=\"" + escaped + "\"");
  return true;
}
