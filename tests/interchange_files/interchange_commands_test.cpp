#include "interchange/interchange_commands.h"
#include "interchange/profile_file.h"

#include "interchange/profile_file.h"

#include "interchange_files/interchange_fixture.h"

namespace {

struct RecordingView : InterchangeView {
  std::optional<std::string> ChooseSaveFile(const FileDialogFilter& filter) override {
    filters.push_back(filter.text);
    return path;
  }
  std::optional<std::string> ChooseOpenFile(const FileDialogFilter& filter) override {
    filters.push_back(filter.text);
    return path;
  }
  void ShowNotice(int text, int caption) override { notices.push_back({text, caption}); }
  void AddMacroToList(int macro_id, const std::string& name) override {
    macros.push_back({macro_id, name});
  }
  void AddProfileToList(int profile, const std::string& name) override {
    profiles.push_back({profile, name});
  }
  void ShowProfile(int profile) override { shown.push_back(profile); }

  std::optional<std::string> path;
  std::vector<std::string> filters;
  std::vector<std::pair<int, int>> notices;
  std::vector<std::pair<int, std::string>> macros;
  std::vector<std::pair<int, std::string>> profiles;
  std::vector<int> shown;
};

class InterchangeCommandsTest : public InterchangeTest {
 protected:
  RecordingView m_view;
  InterchangeCommands m_commands{m_store, m_view};
};

TEST_F(InterchangeCommandsTest, ExportsNeedASelectionAndAChosenFile) {
  EXPECT_EQ(m_commands.ExportProfile(std::nullopt), ExportResult::kNothingSelected);
  EXPECT_EQ(m_commands.ExportMacro(std::nullopt), ExportResult::kNothingSelected);
  EXPECT_EQ(m_view.notices, (std::vector<std::pair<int, int>>{{151, 152}, {540, 541}}));
  EXPECT_TRUE(m_view.filters.empty());

  const int profile = AddProfile(m_store, "P");
  const int macro = AddMacro(m_store, "M");
  EXPECT_EQ(m_commands.ExportProfile(SelectedProfile{profile, "P"}), ExportResult::kCancelled);
  m_view.path = m_dir.File("out.xml");
  EXPECT_EQ(m_commands.ExportMacro(macro), ExportResult::kSaved);
  EXPECT_EQ(m_commands.ExportProfile(SelectedProfile{profile, "P"}), ExportResult::kSaved);
  EXPECT_NE(Read(m_dir.File("out.xml")).find("<profileinfo name=\"P\"/>"), std::string::npos);
  m_view.path = m_dir.File("missing/out.xml");
  EXPECT_EQ(m_commands.ExportProfile(SelectedProfile{profile, "P"}), ExportResult::kWriteFailed);
  EXPECT_EQ(m_view.filters, (std::vector<std::string>{"Profile (*.xml)", "Macro (*.xml)",
                                                      "Profile (*.xml)", "Profile (*.xml)"}));
}

TEST_F(InterchangeCommandsTest, ProfileImportFillsTheListsAndActivatesTheProfile) {
  const int profile = AddProfile(m_store, "P");
  const int macro = AddMacro(m_store, "M");
  m_store.SaveKeyAssignment(Key(profile, 4, 3, macro, "M"));
  ASSERT_TRUE(interchange::WriteProfileFile(m_store, profile, "P", m_dir.File("shared.xml")));

  // Into another installation: the macro is new there.
  ProfileStore other;
  OpenOther(other);
  InterchangeCommands commands(other, m_view);
  m_view.path = m_dir.File("shared.xml");
  EXPECT_EQ(commands.ImportProfile(), ImportResult::kImported);
  ASSERT_EQ(m_view.macros.size(), 1u);
  EXPECT_EQ(m_view.macros[0].second, "M");
  ASSERT_EQ(m_view.profiles.size(), 1u);
  const int imported = m_view.profiles[0].first;
  EXPECT_EQ(m_view.profiles[0].second, "shared");
  EXPECT_EQ(m_view.shown, std::vector<int>{imported});
  EXPECT_EQ(other.GetActiveProfile(), imported);
  EXPECT_EQ(m_view.filters.back(), "Custom Key (*.xml)");
}

TEST_F(InterchangeCommandsTest, ImportsOfNothingChangeNothing) {
  struct Case {
    std::optional<std::string> path;
    ImportResult result;
  };
  const Case cases[] = {
      {std::nullopt, ImportResult::kCancelled},
      {m_dir.File("missing.xml"), ImportResult::kMissingFile},
      {Write("wrong.xml", "<macro/>"), ImportResult::kUnreadable},
  };
  for (const Case& c : cases) {
    m_view.path = c.path;
    EXPECT_EQ(m_commands.ImportProfile(), c.result);
  }
  m_view.path = Write("wrong.xml", "<profile/>");
  EXPECT_EQ(m_commands.ImportMacro(), ImportResult::kUnreadable);
  EXPECT_TRUE(m_view.macros.empty());
  EXPECT_TRUE(m_view.profiles.empty());
  EXPECT_TRUE(m_view.shown.empty());
  EXPECT_TRUE(m_view.notices.empty());

  m_view.path = Write("tap.xml", "<macro><macroinfo times=\"1\"/></macro>");
  EXPECT_EQ(m_commands.ImportMacro(), ImportResult::kImported);
  ASSERT_EQ(m_view.macros.size(), 1u);
  EXPECT_EQ(m_view.macros[0].second, "tap");
  EXPECT_EQ(m_view.filters.back(), "Macros (*.xml)");
}

}  // namespace
