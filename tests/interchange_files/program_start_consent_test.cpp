#include "interchange/program_start_consent.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace {

struct Question : ProgramStartQuestion {
  bool AllowProgramStart(const std::string& program) override {
    asked.push_back(program);
    return answer;
  }
  bool answer = false;
  std::vector<std::string> asked;
};

TEST(ProgramStartConsent, AsksUntilTheUserSaysYesThenNeverAgain) {
  TempDir dir;
  const std::string db = dir.File("k201_data_v1.db");
  Question question;
  ProgramStartConsent consent(db);
  EXPECT_FALSE(consent.MayStart(4, "/usr/bin/gedit", question));
  question.answer = true;
  EXPECT_TRUE(consent.MayStart(4, "/usr/bin/gedit", question));
  EXPECT_TRUE(consent.MayStart(4, "/usr/bin/other", question));
  EXPECT_EQ(question.asked.size(), 2u);
  // Kept beside the database, per profile.
  Question later;
  EXPECT_TRUE(ProgramStartConsent(db).MayStart(4, "/usr/bin/gedit", later));
  EXPECT_TRUE(later.asked.empty());
  EXPECT_FALSE(ProgramStartConsent(db).IsConfirmed(5));
  EXPECT_FALSE(ProgramStartConsent(dir.File("other_data_v1.db")).IsConfirmed(4));
  EXPECT_TRUE(consent.Revoke(4));
  EXPECT_FALSE(consent.IsConfirmed(4));
}

TEST(ProgramStartConsent, AnUnreadableRecordConfirmsNothing) {
  TempDir dir;
  const std::string db = dir.File("k201_data_v1.db");
  std::filesystem::create_directory(db + ".programs");
  ProgramStartConsent consent(db);
  EXPECT_FALSE(consent.IsConfirmed(4));
  EXPECT_FALSE(consent.Revoke(4));
  Question question;
  question.answer = true;
  EXPECT_TRUE(consent.MayStart(4, "/bin/true", question));
  EXPECT_EQ(question.asked.size(), 1u);
}

}  // namespace
