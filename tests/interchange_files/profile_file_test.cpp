#include "interchange/profile_file.h"

#include "interchange/interchange_names.h"
#include "interchange/program_start_consent.h"
#include "interchange_files/interchange_fixture.h"

namespace {

using interchange::ReadProfileFile;
using interchange::WriteProfileFile;

// Two keys share one macro, a third is a plain function; the desc of one
// record needs every escape.
class ProfileFileTest : public InterchangeTest {
 protected:
  void SetUp() override {
    InterchangeTest::SetUp();
    m_profile = AddProfile(m_store, "Gaming");
    m_macro = AddMacro(m_store, "Macro 1", {Record("A", 2, 65, 0), Record("<&\"'>", 1, 65, 20)});
    m_store.SaveKeyAssignment(Key(m_profile, 4, 2, 5, "B"));
    m_store.SaveKeyAssignment(Key(m_profile, 5, 3, m_macro, "Macro 1"));
    m_store.SaveKeyAssignment(Key(m_profile, 6, 3, m_macro, "Macro 1"));
  }

  std::string Export(const std::string& file_name) {
    const std::string path = m_dir.File(file_name);
    EXPECT_TRUE(WriteProfileFile(m_store, m_profile, "Gaming & more", path));
    return path;
  }

  int m_profile = 0;
  int m_macro = 0;
};

TEST_F(ProfileFileTest, ExportWritesTheFileByteForByte) {
  const std::string macro =
      "<macroinfo name=\"Macro 1\" macro_id=\"1\" times=\"2\" type=\"1\" delaytime=\"10\">\r\n"
      "<macroitems>\r\n"
      "<item desc=\"A\" type=\"2\" value=\"65\" delay_time=\"0\"/>\r\n"
      "<item desc=\"&lt;&amp;&quot;&apos;&gt;\" type=\"1\" value=\"65\" delay_time=\"20\"/>\r\n"
      "</macroitems>\r\n"
      "</macroinfo>\r\n";
  const std::string expected =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
      "<profile>\r\n"
      "<profileinfo name=\"Gaming &amp; more\"/>\r\n"
      "<keyitems>\r\n"
      "<item fn_layer=\"0\" key_code=\"4\" layout_value=\"0\" layout_desc=\"\" macro_type=\"2\" "
      "macro_value=\"5\" macro_value2=\"0\" macro_value3=\"0\" macro_desc=\"B\"/>\r\n"
      "<item fn_layer=\"0\" key_code=\"5\" layout_value=\"0\" layout_desc=\"\" macro_type=\"3\" "
      "macro_value=\"1\" macro_value2=\"0\" macro_value3=\"0\" macro_desc=\"Macro 1\"/>\r\n"
      "<item fn_layer=\"0\" key_code=\"6\" layout_value=\"0\" layout_desc=\"\" macro_type=\"3\" "
      "macro_value=\"1\" macro_value2=\"0\" macro_value3=\"0\" macro_desc=\"Macro 1\"/>\r\n"
      "</keyitems>\r\n" +
      macro + macro + "</profile>\r\n";
  EXPECT_EQ(Read(Export("gaming.xml")), expected);
}

TEST_F(ProfileFileTest, ExportOfAProfileWithoutKeysKeepsAnEmptyKeyList) {
  const int empty = AddProfile(m_store, "Empty");
  ASSERT_TRUE(WriteProfileFile(m_store, empty, "Empty", m_dir.File("empty.xml")));
  EXPECT_EQ(Read(m_dir.File("empty.xml")),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile>\r\n"
            "<profileinfo name=\"Empty\"/>\r\n<keyitems/>\r\n</profile>\r\n");
  EXPECT_FALSE(WriteProfileFile(m_store, empty, "Empty", m_dir.File("no/such/folder.xml")));
}

TEST_F(ProfileFileTest, ImportIntoTheSameDatabaseReusesTheMacro) {
  const interchange::ProfileImport imported = ReadProfileFile(m_store, Export("my.profile.xml"));
  ASSERT_TRUE(imported.readable);
  EXPECT_EQ(imported.name, "my");
  EXPECT_GT(imported.profile, m_profile);
  EXPECT_TRUE(imported.macros.empty());
  EXPECT_EQ(Macros(m_store).size(), 1u);
  std::vector<KeyAssignmentRow> original = Keys(m_store, m_profile);
  std::vector<KeyAssignmentRow> copy = Keys(m_store, imported.profile);
  ASSERT_EQ(copy.size(), original.size());
  for (std::size_t i = 0; i < copy.size(); ++i) {
    original[i].key_id = copy[i].key_id;
    original[i].profile = imported.profile;
    EXPECT_EQ(copy[i], original[i]);
  }
  EXPECT_EQ(imported.assignments, 3);
  std::string name;
  ASSERT_TRUE(m_store.GetProfileName(imported.profile, name));
  EXPECT_EQ(name, "my");
}

TEST_F(ProfileFileTest, ImportIntoAnotherDatabaseAddsTheMacroOnceAndRewritesItsKeys) {
  const std::string file = Export("gaming.xml");
  struct Case {
    const char* what;
    bool same_name_other_id;
  };
  for (const Case c :
       {Case{"empty database", false}, Case{"a macro of that name, other id", true}}) {
    SCOPED_TRACE(c.what);
    TempDir other_dir;
    ProfileStore other;
    ASSERT_TRUE(other.OpenForDevice(other_dir.path(), "k201"));
    if (c.same_name_other_id) {
      AddMacro(other, "Something");
      AddMacro(other, "Macro 1");  // id 2, the file says 1
    }
    const std::size_t before = Macros(other).size();
    const interchange::ProfileImport imported = ReadProfileFile(other, file);
    ASSERT_EQ(imported.macros.size(), 1u);
    const int new_id = imported.macros[0].macro_id;
    EXPECT_EQ(Macros(other).size(), before + 1);
    EXPECT_EQ(imported.macros[0].name, "Macro 1");
    MacroRow macro;
    ASSERT_TRUE(other.GetMacro(new_id, macro));
    EXPECT_EQ(macro.play_times, 2);
    EXPECT_EQ(macro.delay_type, 1);
    EXPECT_EQ(macro.delay_time, 10);
    EXPECT_EQ(macro.link_count, 0);
    std::vector<MacroRecordRow> records;
    ASSERT_EQ(other.GetMacroRecords(new_id, records), 2);
    EXPECT_EQ(records[1].desc, "<&\"'>");
    EXPECT_EQ(records[1].record_index, 1);
    EXPECT_EQ(records[1].delay_time, 20);
    const std::vector<KeyAssignmentRow> keys = Keys(other, imported.profile);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].macro_value, 5);
    EXPECT_EQ(keys[1].macro_value, new_id);
    EXPECT_EQ(keys[2].macro_value, new_id);
  }
}

TEST_F(ProfileFileTest, ProfileNameComesFromTheFileNameUpToItsFirstDot) {
  const std::string file = Export("gaming.xml");
  const std::string bytes = Read(file);
  for (const auto& [file_name, name] : std::vector<std::pair<std::string, std::string>>{
           {"my.profile.xml", "my"}, {"noextension", ""}, {".xml", ""}, {"Büro 2.xml", "Büro 2"}}) {
    EXPECT_EQ(ReadProfileFile(m_store, Write(file_name, bytes)).name, name) << file_name;
  }
}

TEST_F(ProfileFileTest, AKeyPointingAtAMacroTheFileDoesNotCarryKeepsItsValue) {
  const std::string file =
      Write("p.xml",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile>\r\n<keyitems>\r\n"
            "<item key_code=\"7\" macro_type=\"3\" macro_value=\"42\" macro_desc=\"gone\"/>\r\n"
            "</keyitems>\r\n</profile>\r\n");
  const interchange::ProfileImport imported = ReadProfileFile(m_store, file);
  const std::vector<KeyAssignmentRow> keys = Keys(m_store, imported.profile);
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].macro_value, 42);
}

TEST_F(ProfileFileTest, FilesThatAreNotProfilesImportNothing) {
  const std::vector<std::pair<const char*, std::string>> files = {
      {"macro root", "<?xml version=\"1.0\"?>\r\n<macro><macroinfo name=\"m\"/></macro>"},
      {"not well-formed",
       "<profile><macroinfo name=\"m\" macro_id=\"9\"><macroitems></macroinfo></profile>"},
      {"two roots", "<profile/><profile/>"},
      {"empty file", ""},
      {"binary", std::string("\x50\x4B\x03\x04\x00\xFF", 6)},
  };
  const std::size_t profiles_before = [&] {
    std::vector<ProfileRow> rows;
    return static_cast<std::size_t>(m_store.GetProfiles(rows));
  }();
  for (const auto& [what, bytes] : files) {
    const interchange::ProfileImport imported = ReadProfileFile(m_store, Write("bad.xml", bytes));
    EXPECT_FALSE(imported.readable) << what;
    EXPECT_EQ(imported.profile, 0) << what;
  }
  EXPECT_FALSE(ReadProfileFile(m_store, m_dir.File("missing.xml")).readable);
  std::vector<ProfileRow> rows;
  EXPECT_EQ(static_cast<std::size_t>(m_store.GetProfiles(rows)), profiles_before);
  EXPECT_EQ(Macros(m_store).size(), 1u);
}

TEST_F(ProfileFileTest, OddButWellFormedFilesImportWhatTheyHold) {
  std::string many = "<profile><keyitems>";
  for (int key = 1; key <= 3000; ++key) {
    many += "<item key_code=\"" + std::to_string(key) + "\" macro_type=\"2\" macro_value=\"4\"/>";
  }
  many += "</keyitems></profile>";
  struct Case {
    const char* what;
    std::string bytes;
    int assignments;
  };
  const Case cases[] = {
      {"no profileinfo, no keyitems", "<profile/>", 0},
      {"missing attributes read as 0: not stored",
       "<profile><keyitems><item/></keyitems></profile>", 0},
      {"numbers read like _wtoi",
       "<profile><keyitems><item key_code=\" 12abc\" macro_type=\"2\" macro_value=\"99999999999\""
       " macro_value2=\"-3\"/></keyitems></profile>",
       1},
      {"entities are not expanded",
       "<!DOCTYPE profile [<!ENTITY big \"xxxxxxxx\">]><profile><keyitems>"
       "<item key_code=\"9\" macro_type=\"2\" macro_value=\"4\" "
       "macro_desc=\"&big;&amp;&#x1F600;\"/>"
       "</keyitems></profile>",
       1},
      {"3000 keys", many, 3000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const interchange::ProfileImport imported = ReadProfileFile(m_store, Write("odd.xml", c.bytes));
    EXPECT_TRUE(imported.readable);
    EXPECT_GT(imported.profile, 0);
    EXPECT_EQ(imported.assignments, c.assignments);
  }
  KeyAssignmentRow row;
  std::vector<ProfileRow> profiles;
  m_store.GetProfiles(profiles);
  ASSERT_TRUE(m_store.GetKeyAssignment(profiles[profiles.size() - 3].profile, 0, 12, row));
  EXPECT_EQ(row.macro_value, 2147483647);
  EXPECT_EQ(row.macro_value2, -3);
  ASSERT_TRUE(m_store.GetKeyAssignment(profiles[profiles.size() - 2].profile, 0, 9, row));
  EXPECT_EQ(row.macro_desc, "&big;&\xF0\x9F\x98\x80");
}

TEST_F(ProfileFileTest, ProgramKeysAreKeptButTheProfileMustBeConfirmedAgain) {
  const int program_key = m_store.AddKeyOtherData("Editor", "/usr/bin/gedit", 8);
  m_store.SaveKeyAssignment(Key(m_profile, 8, 8, program_key, "Editor"));
  const std::string file = Export("programs.xml");
  ProgramStartConsent consent(m_store.DatabasePath());
  // A yes left over for the id the import will get must not carry over.
  const int next_id = m_profile + 1;
  ASSERT_TRUE(consent.Confirm(next_id));
  const interchange::ProfileImport imported = ReadProfileFile(m_store, file);
  ASSERT_EQ(imported.profile, next_id);
  EXPECT_TRUE(imported.opens_programs);
  KeyAssignmentRow row;
  ASSERT_TRUE(m_store.GetKeyAssignment(imported.profile, 0, 8, row));
  EXPECT_EQ(row.macro_type, 8);
  EXPECT_EQ(row.macro_value, program_key);
  EXPECT_FALSE(consent.IsConfirmed(imported.profile));
}

}  // namespace
