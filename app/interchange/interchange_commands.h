// The four import and export commands of the profile list and the macro
// page: dialog, file, store, and what the lists show afterwards.
#pragma once

#include <optional>
#include <string>

#include "interchange/interchange_view.h"
#include "store/profile_store.h"

// A selected entry of the profile list: its id and the text it shows.
struct SelectedProfile {
  int profile = 0;
  std::string text;
};

enum class ExportResult {
  kSaved,
  kNothingSelected,  // the notice was shown
  kCancelled,
  kWriteFailed,  // the file could not be written; the caller may tell the user
};

enum class ImportResult {
  kImported,
  kCancelled,
  kMissingFile,
  kUnreadable,  // not loadable, not well-formed, or the wrong root: nothing imported
  kRefused,     // the store took nothing
};

class InterchangeCommands {
 public:
  // Language texts of the notices.
  static constexpr int kNoProfileText = 151;
  static constexpr int kNoProfileCaption = 152;
  static constexpr int kNoMacroText = 540;
  static constexpr int kNoMacroCaption = 541;

  InterchangeCommands(ProfileStore& store, InterchangeView& view) : m_store(store), m_view(view) {}

  ExportResult ExportProfile(const std::optional<SelectedProfile>& selected);
  ImportResult ImportProfile();
  ExportResult ExportMacro(std::optional<int> selected_macro);
  ImportResult ImportMacro();

 private:
  // The chosen path of an open dialog; nothing when cancelled or missing.
  std::optional<std::string> ChooseExistingFile(const FileDialogFilter& filter,
                                                ImportResult& result);

  ProfileStore& m_store;
  InterchangeView& m_view;
};
