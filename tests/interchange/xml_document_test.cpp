#include "interchange/xml_document.h"

#include <gtest/gtest.h>

#include "QorUI/text.h"
#include "support/temp_dir.h"

namespace {

// Climbs to the root, so that a test reads the edited document's own index.
void GoToRoot(XmlDocument& doc) {
  while (doc.LeaveElement()) {
  }
}

// Reads `name`'s attribute `x` after a forward search; "-" when not found.
std::string Next(XmlDocument& doc, std::string_view name) {
  return doc.FindElement(name) ? doc.GetAttribute("x") : "-";
}

TEST(XmlDocument, FindElementOnlyMovesForward) {
  XmlDocument doc;
  ASSERT_TRUE(
      doc.SetText("<device.info><function a=\"1\"/><light b=\"2\"/><light b=\"3\"/>"
                  "</device.info>"));
  ASSERT_TRUE(doc.FindElement("device.info"));
  ASSERT_TRUE(doc.EnterElement());
  EXPECT_TRUE(doc.FindElement("light"));
  EXPECT_EQ(doc.GetAttribute("b"), "2");
  EXPECT_FALSE(doc.FindElement("function")) << "function comes before light";
  EXPECT_EQ(doc.GetAttribute("b"), "2") << "a failed search keeps the position";
  EXPECT_TRUE(doc.FindElement("light"));
  EXPECT_EQ(doc.GetAttribute("b"), "3");

  XmlDocument in_order;
  in_order.SetText(doc.GetText());
  in_order.FindElement("device.info");
  in_order.EnterElement();
  EXPECT_TRUE(in_order.FindElement("function"));
  EXPECT_EQ(in_order.GetAttribute("a"), "1");
  EXPECT_TRUE(in_order.FindElement("light"));
}

TEST(XmlDocument, EnterAndLeaveWalkTheTree) {
  XmlDocument doc;
  ASSERT_TRUE(
      doc.SetText("<config><software name=\"T\"><website url=\"u\"/></software>"
                  "<Software name=\"case\"/></config>"));
  EXPECT_FALSE(doc.EnterElement()) << "no current element yet";
  EXPECT_FALSE(doc.LeaveElement()) << "already at the top level";
  EXPECT_FALSE(doc.FindElement("software")) << "only the root is at the top level";
  ASSERT_TRUE(doc.FindElement("config"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("software"));
  ASSERT_TRUE(doc.EnterElement());
  EXPECT_TRUE(doc.FindElement("website"));
  EXPECT_EQ(doc.GetAttribute("url"), "u");
  EXPECT_FALSE(doc.FindElement("store"));
  ASSERT_TRUE(doc.LeaveElement());
  EXPECT_EQ(doc.GetAttribute("name"), "T") << "leaving makes the parent current";
  EXPECT_TRUE(doc.FindElement("Software")) << "names compare with letter case";
  EXPECT_EQ(doc.GetAttribute("name"), "case");
  EXPECT_TRUE(doc.LeaveElement());
  EXPECT_FALSE(doc.LeaveElement());
}

TEST(XmlDocument, EmptyDocumentAnswersEverythingWithNothing) {
  XmlDocument doc;
  EXPECT_FALSE(doc.IsWellFormed());
  EXPECT_FALSE(doc.FindElement("a"));
  EXPECT_FALSE(doc.EnterElement());
  EXPECT_FALSE(doc.LeaveElement());
  EXPECT_EQ(doc.GetAttribute("a"), "");
  EXPECT_FALSE(doc.SetAttribute("a", "1"));
}

TEST(XmlDocument, GetAttributeDecodesReferences) {
  struct Case {
    const char* raw;
    const char* decoded;
  };
  const Case cases[] = {
      {"a&lt;b&gt;c&amp;d&quot;e&apos;f", "a<b>c&d\"e'f"},
      {"&#65;&#x42;&#X43;", "ABC"},
      {"&#x1F600;", "\xF0\x9F\x98\x80"},                     // beyond U+FFFF: one character
      {"&eacute;&Eacute;&AMP;&Amp;", "\xC3\xA9\xC3\x89&&"},  // exact first, then any case
      {"&euro;&nbsp;&thetasym;", "\xE2\x82\xAC\xC2\xA0\xCF\x91"},
      {"&#0;&#xD800;&#x110000;", "&#0;&#xD800;&#x110000;"},  // no such character
      {"&nosuchname; &amp &;", "&nosuchname; &amp &;"},
      {"&abcdefghij;", "&abcdefghij;"},  // longer than nine characters
      {"&#x;&#12a;", "&#x;&#12a;"},
      {"&&lt;", "&<"},
  };
  for (const Case& c : cases) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText(std::string("<r v='") + c.raw + "'/>")) << c.raw;
    doc.FindElement("r");
    EXPECT_EQ(doc.GetAttribute("v"), c.decoded) << c.raw;
    EXPECT_EQ(doc.GetAttribute("w"), "");
  }
}

TEST(XmlDocument, WellFormednessFaults) {
  struct Case {
    const char* text;
    bool well_formed;
  };
  const Case cases[] = {
      {"<a/>", true},
      {"<?xml version=\"1.0\"?>\r\n<!DOCTYPE a [<!ENTITY x \"]>\">]>\r\n<!-- c -->"
       "<a><![CDATA[<not a tag>]]><?pi x?><b c='1' d = \"2\"/>text</a>\r\n<!-- end -->",
       true},
      {"", false},
      {"   <!-- only a comment -->", false},  // no root element
      {"<a/><b/>", false},                    // two top-level elements
      {"<a>", false},                         // start tag never ended
      {"<a><b></a>", false},
      {"<a></b></a>", false},  // end tag without start tag
      {"</a>", false},
      {"<a", false},  // unterminated tag
      {"<a b=\"1>", false},
      {"<a b=1/>", false},
      {"<a b/>", false},
      {"<a><!-- open </a>", false},  // unterminated comment
      {"<a><!- x -></a>", false},    // malformed comment
      {"<a><![CDATA[x</a>", false},
      {"<a><![CDAT[x]]></a>", false},
      {"<![CDATA[x]]><a/>", false},
      {"<!DOCTYPE a [ <a/>", false},
      {"<a/><!DOCTYPE a>", false},
      {"<a><? unterminated</a>", false},
      {"x<a/>", false},  // text outside the root
      {"<a>< b/></a>", false},
  };
  for (const Case& c : cases) {
    XmlDocument doc;
    EXPECT_EQ(doc.SetText(c.text), c.well_formed) << c.text << "\n" << doc.GetDiagnostics();
    EXPECT_EQ(doc.IsWellFormed(), c.well_formed);
  }
}

TEST(XmlDocument, MalformedDocumentKeepsWhatItCouldIndex) {
  XmlDocument doc;
  EXPECT_FALSE(doc.SetText("<config><software name=\"T\"/><unclosed>"));
  EXPECT_FALSE(doc.GetDiagnostics().empty());
  ASSERT_TRUE(doc.FindElement("config"));
  doc.EnterElement();
  ASSERT_TRUE(doc.FindElement("software"));
  EXPECT_EQ(doc.GetAttribute("name"), "T");
}

TEST(XmlDocument, SetAttributeEscapesAndReplaces) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetText("<r a='old' />"));
  ASSERT_TRUE(doc.FindElement("r"));
  const std::string tricky = "<tag attr=\"x\" & 'y'>";
  EXPECT_TRUE(doc.SetAttribute("b", tricky));
  EXPECT_TRUE(doc.SetAttribute("a", "new"));
  EXPECT_FALSE(doc.SetAttribute("bad name", "x"));
  EXPECT_EQ(doc.GetText(),
            "<r a='new' b=\"&lt;tag attr=&quot;x&quot; &amp; &apos;y&apos;&gt;\" />");
  EXPECT_EQ(doc.GetAttribute("b"), tricky);
  XmlDocument reread;
  ASSERT_TRUE(reread.SetText(doc.GetText()));
  reread.FindElement("r");
  EXPECT_EQ(reread.GetAttribute("b"), tricky);
  EXPECT_EQ(reread.GetAttribute("a"), "new");
}

TEST(XmlDocument, AddElementWritesOneElementPerLine) {
  XmlDocument doc;
  doc.SetText("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  ASSERT_TRUE(doc.AddElement("root"));
  doc.SetAttribute("version", "2");
  doc.EnterElement();
  ASSERT_TRUE(doc.AddElement("profile"));
  doc.SetAttribute("name", "P & Q");
  doc.EnterElement();
  doc.AddElement("key");
  doc.SetAttribute("code", "4");
  doc.AddElement("key");
  doc.SetAttribute("code", "5");
  doc.LeaveElement();
  doc.AddElement("macro");
  EXPECT_FALSE(doc.AddElement("not valid"));
  EXPECT_EQ(doc.GetText(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<root version=\"2\">\r\n"
            "<profile name=\"P &amp; Q\">\r\n"
            "<key code=\"4\"/>\r\n"
            "<key code=\"5\"/>\r\n"
            "</profile>\r\n"
            "<macro/>\r\n"
            "</root>\r\n");
  EXPECT_EQ(doc.GetAttribute("name"), "") << "the new macro is current";
}

TEST(XmlDocument, EditsKeepTheIndexInStepWithTheText) {
  // Insertions in the middle of a document: between siblings on one line,
  // into an element with an end tag, into an empty-element tag, and longer
  // values that move everything behind them.
  XmlDocument doc;
  ASSERT_TRUE(doc.SetText("<a><b x='1'/><c></c><d/><e/></a>"));
  doc.FindElement("a");
  doc.EnterElement();
  doc.FindElement("b");
  doc.AddElement("n1");
  doc.SetAttribute("x", "n1");
  doc.FindElement("c");
  doc.EnterElement();
  doc.AddElement("n2");
  doc.SetAttribute("x", "n2");
  doc.AddElement("n3");
  doc.LeaveElement();
  doc.SetAttribute("x", "c");
  doc.FindElement("d");
  doc.EnterElement();
  doc.AddElement("n4");
  doc.SetAttribute("x", "a long value that moves everything behind it");
  doc.LeaveElement();
  doc.FindElement("e");
  doc.SetAttribute("x", "e");
  EXPECT_EQ(
      doc.GetText(),
      "<a><b x='1'/>\r\n<n1 x=\"n1\"/>\r\n<c x=\"c\">\r\n<n2 x=\"n2\"/>\r\n<n3/>\r\n</c>"
      "<d>\r\n<n4 x=\"a long value that moves everything behind it\"/>\r\n</d><e x=\"e\"/></a>");

  XmlDocument fresh;
  ASSERT_TRUE(fresh.SetText(doc.GetText()));
  fresh.FindElement("a");
  GoToRoot(doc);
  for (XmlDocument* d : {&doc, &fresh}) {
    SCOPED_TRACE(d == &doc ? "edited index" : "fresh parse");
    ASSERT_TRUE(d->EnterElement());
    EXPECT_EQ(Next(*d, "b"), "1");
    EXPECT_EQ(Next(*d, "n1"), "n1");
    EXPECT_EQ(Next(*d, "c"), "c");
    d->EnterElement();
    EXPECT_EQ(Next(*d, "n2"), "n2");
    EXPECT_EQ(Next(*d, "n3"), "");
    EXPECT_EQ(Next(*d, "n2"), "-");
    d->LeaveElement();
    EXPECT_EQ(Next(*d, "d"), "");
    d->EnterElement();
    EXPECT_EQ(Next(*d, "n4"), "a long value that moves everything behind it");
    d->LeaveElement();
    EXPECT_EQ(Next(*d, "e"), "e");
    EXPECT_EQ(Next(*d, "n1"), "-");
  }
}

TEST(XmlDocument, AddElementWithoutCurrentGoesAfterTheLastChild) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetText("<a>\r\n<b/>\r\n<c x='2'><d/></c>\r\n</a>"));
  doc.FindElement("a");
  doc.EnterElement();
  doc.AddElement("b");
  doc.SetAttribute("x", "new");
  EXPECT_EQ(Next(doc, "c"), "-") << "the search goes on from the new last child";
  doc.LeaveElement();
  doc.EnterElement();
  EXPECT_EQ(Next(doc, "b"), "");
  EXPECT_EQ(Next(doc, "c"), "2");
  EXPECT_EQ(Next(doc, "b"), "new");
  EXPECT_EQ(doc.GetText(), "<a>\r\n<b/>\r\n<c x='2'><d/></c>\r\n<b x=\"new\"/>\r\n</a>");
}

TEST(XmlDocument, AddElementOpensAnEmptyTagWrittenWithBlanks) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetText("<a>\r\n<d x='1' \t/>\r\n</a>"));
  doc.FindElement("a");
  doc.EnterElement();
  doc.FindElement("d");
  doc.EnterElement();
  ASSERT_TRUE(doc.AddElement("n"));
  ASSERT_TRUE(doc.SetAttribute("x", "2"));
  EXPECT_EQ(doc.GetText(), "<a>\r\n<d x='1'>\r\n<n x=\"2\"/>\r\n</d>\r\n</a>");
}

class XmlFileTest : public testing::Test {
 protected:
  TempDir m_dir;
  // The document every encoding below must load to.
  static constexpr const char* kUtf8 = "<r v=\"caf\xC3\xA9 \xE4\xB8\xAD\"/>";

  std::string Load(std::string_view bytes, std::string_view legacy = "WINDOWS-1252") {
    XmlDocument doc;
    const std::string path = m_dir.Write("f.xml", bytes);
    if (!doc.LoadFile(path, legacy)) return "<not loaded: " + doc.GetDiagnostics() + ">";
    doc.FindElement("r");
    return doc.GetAttribute("v");
  }
};

TEST_F(XmlFileTest, DetectsEachEncoding) {
  const std::string expected = "caf\xC3\xA9 \xE4\xB8\xAD";
  struct Case {
    std::string name;
    std::string bytes;
    std::string legacy;
  };
  const Case cases[] = {
      {"UTF-8", kUtf8, ""},
      {"UTF-8 with mark", std::string("\xEF\xBB\xBF") + kUtf8, ""},
      {"UTF-16LE with mark", "\xFF\xFE" + text::EncodeUtf16(kUtf8, false), ""},
      {"UTF-16BE with mark", "\xFE\xFF" + text::EncodeUtf16(kUtf8, true), ""},
      {"UTF-16LE without mark", text::EncodeUtf16(kUtf8, false), ""},
      {"declared GBK", "<?xml version='1.0' encoding='gbk'?><r v=\"caf\xA8\xA6 \xD6\xD0\"/>", ""},
      {"HTML meta charset",
       "<r v=\"caf\xA8\xA6 \xD6\xD0\"><meta http-equiv=\"Content-Type\" "
       "content=\"text/html; charset=GB2312\"/></r>",
       ""},
      {"undeclared GB18030 under Chinese", "<r v=\"caf\xA8\xA6 \xD6\xD0\"/>", "GB18030"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Load(c.bytes, c.legacy.empty() ? "WINDOWS-1252" : c.legacy), expected) << c.name;
  }
}

TEST_F(XmlFileTest, UndeclaredEightBitTextFallsBackToTheLegacyEncoding) {
  EXPECT_EQ(Load("<r v=\"caf\xE9 \x80\"/>", "WINDOWS-1252"), "caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(Load("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r v=\"\xE9\"/>"), "\xC3\xA9");
  // Declared UTF-8 is trusted: a stray byte becomes U+FFFD, not cp1252.
  EXPECT_EQ(Load("<?xml version=\"1.0\" encoding=\"utf-8\"?><r v=\"a\xE9z\"/>"), "a\xEF\xBF\xBDz");
}

TEST_F(XmlFileTest, CutOffSequencesAndNulsAreDropped) {
  XmlDocument doc;
  // A UTF-8 sequence cut off at the end, after a complete document.
  ASSERT_TRUE(doc.LoadFile(m_dir.Write("cut8.xml", std::string(kUtf8) + "\xE4\xB8"), "x"));
  EXPECT_EQ(doc.GetText(), kUtf8);
  // GB18030 two-byte sequence cut off at the end.
  ASSERT_TRUE(doc.LoadFile(
      m_dir.Write("cutgb.xml", "<?xml version='1.0' encoding='GB18030'?><r/>\xD6"), "x"));
  EXPECT_EQ(doc.GetText(), "<?xml version='1.0' encoding='GB18030'?><r/>");
  // A UTF-16 high surrogate and an odd byte at the end; a NUL inside.
  std::string utf16 = "\xFF\xFE" + text::EncodeUtf16("<r v=\"a", false) + std::string("\0\0", 2) +
                      text::EncodeUtf16("b\"/>", false) + "\x3D\xD8" + "x";
  ASSERT_TRUE(doc.LoadFile(m_dir.Write("cut16.xml", utf16), "x")) << doc.GetDiagnostics();
  EXPECT_EQ(doc.GetText(), "<r v=\"ab\"/>");
}

TEST_F(XmlFileTest, LoadFileFailsCleanly) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetText("<old/>"));
  EXPECT_FALSE(doc.LoadFile(m_dir.File("missing.xml")));
  EXPECT_EQ(doc.GetText(), "") << "a failed load leaves the document empty";
  EXPECT_FALSE(doc.FindElement("old"));
  EXPECT_FALSE(doc.LoadFile(m_dir.path())) << "a folder is not a file";
  EXPECT_FALSE(doc.LoadFile(m_dir.Write("bad.xml", "<a><b></a>")));
}

TEST_F(XmlFileTest, SaveFileWritesTheDeclaredEncoding) {
  XmlDocument doc;
  doc.SetText("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  doc.AddElement("r");
  doc.SetAttribute("v", "caf\xC3\xA9 \xE4\xB8\xAD");
  const std::string utf8_path = m_dir.File("out-utf8.xml");
  ASSERT_TRUE(doc.SaveFile(utf8_path));
  EXPECT_EQ(TempDir::Read(utf8_path), doc.GetText()) << "UTF-8, no byte-order mark";

  XmlDocument latin;
  latin.SetText("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
  latin.AddElement("r");
  latin.SetAttribute("v", "caf\xC3\xA9 \xE4\xB8\xAD");
  const std::string latin_path = m_dir.File("out-latin1.xml");
  ASSERT_TRUE(latin.SaveFile(latin_path));
  EXPECT_EQ(TempDir::Read(latin_path),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<r v=\"caf\xE9 &#20013;\"/>\r\n")
      << "a character Latin-1 lacks becomes a character reference";
  XmlDocument back;
  ASSERT_TRUE(back.LoadFile(latin_path));
  back.FindElement("r");
  EXPECT_EQ(back.GetAttribute("v"), "caf\xC3\xA9 \xE4\xB8\xAD");

  XmlDocument unknown;
  unknown.SetText("<?xml version=\"1.0\" encoding=\"no-such-set\"?><r/>");
  EXPECT_FALSE(unknown.SaveFile(m_dir.File("unknown.xml")));
  EXPECT_FALSE(std::filesystem::exists(m_dir.File("unknown.xml")));
  EXPECT_FALSE(doc.SaveFile(m_dir.File("no/such/folder.xml")));
}

}  // namespace
