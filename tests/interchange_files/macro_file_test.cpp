#include "interchange/macro_file.h"

#include "interchange_files/interchange_fixture.h"

namespace {

using interchange::ReadMacroFile;
using interchange::WriteMacroFile;

TEST_F(InterchangeTest, MacroExportWritesTheFileByteForByte) {
  const int macro =
      AddMacro(m_store, "Combo \"A\"", {Record("A", 2, 65, 0), Record("A", 3, 65, 5)});
  ASSERT_TRUE(WriteMacroFile(m_store, macro, m_dir.File("combo.xml")));
  EXPECT_EQ(Read(m_dir.File("combo.xml")),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<macro>\r\n"
            "<macroinfo name=\"Combo &quot;A&quot;\" times=\"2\" type=\"1\" delaytime=\"10\"/>\r\n"
            "<macroitems>\r\n"
            "<item desc=\"A\" type=\"2\" value=\"65\" delay_time=\"0\"/>\r\n"
            "<item desc=\"A\" type=\"3\" value=\"65\" delay_time=\"5\"/>\r\n"
            "</macroitems>\r\n"
            "</macro>\r\n");
  EXPECT_FALSE(WriteMacroFile(m_store, macro + 100, m_dir.File("none.xml")));
  EXPECT_FALSE(std::filesystem::exists(m_dir.File("none.xml")));
}

TEST_F(InterchangeTest, MacroImportAlwaysAddsANewMacroNamedAfterTheFile) {
  const int macro = AddMacro(m_store, "Combo", {Record("A", 2, 65, 0), Record("B", 3, 66, 7)});
  ASSERT_TRUE(WriteMacroFile(m_store, macro, m_dir.File("combo.v2.xml")));
  for (int round = 0; round < 2; ++round) {
    const interchange::MacroImport imported = ReadMacroFile(m_store, m_dir.File("combo.v2.xml"));
    ASSERT_TRUE(imported.readable);
    EXPECT_EQ(imported.name, "combo");
    EXPECT_GT(imported.macro_id, macro + round);
    MacroRow row;
    ASSERT_TRUE(m_store.GetMacro(imported.macro_id, row));
    EXPECT_EQ(row.name, "combo");
    EXPECT_EQ(row.play_times, 2);
    EXPECT_EQ(row.delay_time, 10);
    std::vector<MacroRecordRow> records;
    ASSERT_EQ(m_store.GetMacroRecords(imported.macro_id, records), 2);
    EXPECT_EQ(records[1].desc, "B");
    EXPECT_EQ(records[1].value, 66);
    EXPECT_EQ(records[1].delay_time, 7);
  }
  EXPECT_EQ(Macros(m_store).size(), 3u);
}

TEST_F(InterchangeTest, MacroImportReadsOnlyMacroFiles) {
  struct Case {
    const char* what;
    std::string bytes;
    bool readable;
    int records;
  };
  const Case cases[] = {
      {"profile root", "<profile><macroinfo name=\"x\"/></profile>", false, 0},
      {"not well-formed", "<macro><macroitems><item></macro>", false, 0},
      {"no macroinfo: values 0, records kept",
       "<macro><macroitems><item desc=\"k\" type=\"2\" value=\"75\"/></macroitems></macro>", true,
       1},
      {"no macroitems", "<macro><macroinfo times=\"3\"/></macro>", true, 0},
      {"macroitems before macroinfo",
       "<macro><macroitems><item type=\"2\"/></macroitems><macroinfo times=\"3\"/></macro>", true,
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const interchange::MacroImport imported = ReadMacroFile(m_store, Write("m.xml", c.bytes));
    EXPECT_EQ(imported.readable, c.readable);
    EXPECT_EQ(imported.macro_id > 0, c.readable);
    EXPECT_EQ(imported.records, c.records);
  }
}

}  // namespace
