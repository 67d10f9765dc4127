// One-pass scan of an XML text into an element index. It recognises tags,
// attributes, comments, processing instructions, CDATA sections and a
// document type declaration, and records every well-formedness fault.
#include "interchange/xml_index.h"

namespace xml {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

class Parser {
 public:
  Parser(std::string_view text, Index& index, std::string& diagnostics)
      : m_text(text), m_index(index), m_diagnostics(diagnostics) {}

  bool Run() {
    m_index.assign(1, IndexedElement{});
    m_index[0].end = m_index[0].close_start = m_text.size();
    m_open.assign(1, 0);
    m_last_child.assign(1, 0);
    std::size_t pos = 0;
    while (pos < m_text.size()) {
      const std::size_t lt = m_text.find('<', pos);
      CheckText(pos, lt == std::string_view::npos ? m_text.size() : lt);
      if (lt == std::string_view::npos) break;
      pos = Markup(lt);
    }
    while (m_open.size() > 1) {
      Fault(m_open.back(), "start tag never ended");
      m_index[m_open.back()].end = m_index[m_open.back()].close_start = m_text.size();
      m_open.pop_back();
    }
    if (!m_root_seen) Note("no root element");
    return m_well_formed && m_root_seen;
  }

 private:
  void Note(std::string_view what) {
    m_well_formed = false;
    m_diagnostics.append(what).append("\n");
  }
  void Fault(int element, std::string_view what) {
    m_index[element].ill_formed = true;
    Note(std::string(what) + " at offset " + std::to_string(m_index[element].start));
  }
  void FaultAt(std::size_t pos, std::string_view what) {
    Note(std::string(what) + " at offset " + std::to_string(pos));
  }

  bool AtTopLevel() const { return m_open.size() == 1; }

  void CheckText(std::size_t from, std::size_t to) {
    if (!AtTopLevel()) return;
    for (std::size_t i = from; i < to; ++i) {
      if (!IsSpace(m_text[i])) {
        FaultAt(i, "text outside the root element");
        return;
      }
    }
  }

  // Skips to just past `terminator`; the end of the text when it is missing.
  std::size_t SkipPast(std::size_t from, std::string_view terminator, std::size_t lt,
                       std::string_view what) {
    const std::size_t at = m_text.find(terminator, from);
    if (at == std::string_view::npos) {
      FaultAt(lt, std::string("unterminated ") + std::string(what));
      return m_text.size();
    }
    return at + terminator.size();
  }

  std::size_t Markup(std::size_t lt) {
    const std::string_view rest = m_text.substr(lt);
    if (rest.starts_with("<?")) return SkipPast(lt + 2, "?>", lt, "processing instruction");
    if (rest.starts_with("<!--")) return SkipPast(lt + 4, "-->", lt, "comment");
    if (rest.starts_with("<![CDATA[")) {
      if (AtTopLevel()) FaultAt(lt, "CDATA section outside the root element");
      return SkipPast(lt + 9, "]]>", lt, "CDATA section");
    }
    if (rest.starts_with("<!DOCTYPE")) return Doctype(lt);
    if (rest.starts_with("<!")) {
      FaultAt(lt, "malformed comment, CDATA section or declaration");
      return SkipPast(lt + 2, ">", lt, "declaration");
    }
    if (rest.starts_with("</")) return EndTag(lt);
    if (rest.size() > 1 && IsNameStart(rest[1])) return StartTag(lt);
    FaultAt(lt, "'<' that starts no markup");
    return lt + 1;
  }

  std::size_t Doctype(std::size_t lt) {
    if (m_root_seen || !AtTopLevel()) FaultAt(lt, "document type declaration after the root");
    int depth = 0;
    for (std::size_t i = lt + 9; i < m_text.size(); ++i) {
      const char c = m_text[i];
      if (c == '"' || c == '\'') {
        const std::size_t close = m_text.find(c, i + 1);
        if (close == std::string_view::npos) break;
        i = close;
      } else if (c == '[') {
        ++depth;
      } else if (c == ']') {
        --depth;
      } else if (c == '>' && depth <= 0) {
        if (depth < 0) FaultAt(lt, "malformed document type declaration");
        return i + 1;
      }
    }
    FaultAt(lt, "unterminated document type declaration");
    return m_text.size();
  }

  std::size_t NameEnd(std::size_t from) const {
    std::size_t i = from;
    while (i < m_text.size() && IsNameChar(m_text[i])) ++i;
    return i;
  }

  std::size_t EndTag(std::size_t lt) {
    const std::size_t name_end = NameEnd(lt + 2);
    const std::string_view name = m_text.substr(lt + 2, name_end - lt - 2);
    std::size_t i = name_end;
    while (i < m_text.size() && IsSpace(m_text[i])) ++i;
    if (i >= m_text.size() || m_text[i] != '>' || name.empty()) {
      FaultAt(lt, "unterminated or malformed end tag");
      const std::size_t gt = m_text.find('>', lt);
      if (gt == std::string_view::npos) return m_text.size();
      i = gt;
      if (name.empty()) return gt + 1;
    }
    const std::size_t end = i + 1;
    for (std::size_t depth = m_open.size() - 1; depth > 0; --depth) {
      const int e = m_open[depth];
      if (NameOf(e) != name) continue;
      while (m_open.size() - 1 > depth) {
        const int unclosed = m_open.back();
        Fault(unclosed, "start tag never ended");
        m_index[unclosed].end = m_index[unclosed].close_start = lt;
        m_open.pop_back();
      }
      m_index[e].close_start = lt;
      m_index[e].end = end;
      m_open.pop_back();
      return end;
    }
    FaultAt(lt, "end tag without a start tag");
    return end;
  }

  std::string_view NameOf(int e) const {
    return m_text.substr(m_index[e].start + 1, m_index[e].name_len);
  }

  std::size_t StartTag(std::size_t lt) {
    IndexedElement element;
    element.start = lt;
    element.name_len = NameEnd(lt + 1) - lt - 1;
    element.parent = m_open.back();
    const int id = static_cast<int>(m_index.size());
    bool malformed = false;
    std::size_t pos = lt + 1 + element.name_len;
    std::size_t tag_end = m_text.size();
    for (;;) {
      while (pos < m_text.size() && IsSpace(m_text[pos])) ++pos;
      if (pos >= m_text.size()) {
        // Never closed: the element runs to the end and has no content.
        malformed = element.empty_tag = true;
        break;
      }
      if (m_text[pos] == '>') {
        tag_end = pos + 1;
        break;
      }
      if (m_text.substr(pos).starts_with("/>")) {
        element.empty_tag = true;
        tag_end = pos + 2;
        break;
      }
      if (!NextAttribute(m_text, pos, m_text.size())) {
        malformed = true;
        const std::size_t gt = m_text.find('>', pos);
        element.empty_tag = gt == std::string_view::npos || m_text[gt - 1] == '/';
        if (gt != std::string_view::npos) tag_end = gt + 1;
        break;
      }
    }
    element.tag_len = tag_end - lt;
    element.end = element.close_start = tag_end;
    if (AtTopLevel()) {
      if (m_root_seen) FaultAt(lt, "second top-level element");
      m_root_seen = true;
    }
    m_index.push_back(element);
    m_last_child.push_back(0);
    Link(id);
    if (malformed) Fault(id, "unterminated or malformed start tag");
    if (!m_index[id].empty_tag) m_open.push_back(id);
    return tag_end;
  }

  void Link(int id) {
    const int parent = m_index[id].parent;
    if (m_last_child[parent]) {
      m_index[m_last_child[parent]].next_sibling = id;
    } else {
      m_index[parent].first_child = id;
    }
    m_last_child[parent] = id;
  }

  std::string_view m_text;
  Index& m_index;
  std::string& m_diagnostics;
  std::vector<int> m_open;        // elements whose end tag is still due
  std::vector<int> m_last_child;  // per element, for linking siblings
  bool m_root_seen = false;
  bool m_well_formed = true;
};

}  // namespace

bool IsNameStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsNameChar(char c) {
  return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool IsValidName(std::string_view name) {
  if (name.empty() || !IsNameStart(name[0])) return false;
  for (char c : name) {
    if (!IsNameChar(c)) return false;
  }
  return true;
}

bool ParseXml(std::string_view text, Index& index, std::string& diagnostics) {
  return Parser(text, index, diagnostics).Run();
}

std::optional<Attribute> NextAttribute(std::string_view text, std::size_t& pos,
                                       std::size_t tag_end) {
  while (pos < tag_end && IsSpace(text[pos])) ++pos;
  if (pos >= tag_end || !IsNameStart(text[pos])) return std::nullopt;
  const std::size_t name_start = pos;
  while (pos < tag_end && IsNameChar(text[pos])) ++pos;
  Attribute attribute;
  attribute.name = text.substr(name_start, pos - name_start);
  while (pos < tag_end && IsSpace(text[pos])) ++pos;
  if (pos >= tag_end || text[pos] != '=') return std::nullopt;
  ++pos;
  while (pos < tag_end && IsSpace(text[pos])) ++pos;
  if (pos >= tag_end || (text[pos] != '"' && text[pos] != '\'')) return std::nullopt;
  const std::size_t close = text.find(text[pos], pos + 1);
  if (close == std::string_view::npos || close >= tag_end) return std::nullopt;
  attribute.value_start = pos + 1;
  attribute.value_len = close - pos - 1;
  pos = close + 1;
  return attribute;
}

}  // namespace xml
