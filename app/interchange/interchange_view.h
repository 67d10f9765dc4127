// What the import and export commands need from the pages: the file dialogs,
// a notice, and the profile and macro lists. The key and macro pages
// implement it.
#pragma once

#include <optional>
#include <string>

// The one filter a file dialog offers.
struct FileDialogFilter {
  const char* text;
  const char* pattern;
};

inline constexpr FileDialogFilter kExportProfileFilter{"Profile (*.xml)", "*.xml"};
inline constexpr FileDialogFilter kImportProfileFilter{"Custom Key (*.xml)", "*.xml"};
inline constexpr FileDialogFilter kExportMacroFilter{"Macro (*.xml)", "*.xml"};
inline constexpr FileDialogFilter kImportMacroFilter{"Macros (*.xml)", "*.xml"};

class InterchangeView {
 public:
  virtual ~InterchangeView() = default;

  // The chosen path, or nothing when the dialog was cancelled.
  virtual std::optional<std::string> ChooseSaveFile(const FileDialogFilter& filter) = 0;
  virtual std::optional<std::string> ChooseOpenFile(const FileDialogFilter& filter) = 0;

  // A message box with an OK button; both are language text numbers.
  virtual void ShowNotice(int text, int caption) = 0;

  // Appends the macro to the macro page's list and selects it.
  virtual void AddMacroToList(int macro_id, const std::string& name) = 0;
  // Appends the profile to the profile list and selects it.
  virtual void AddProfileToList(int profile, const std::string& name) = 0;
  // The profile is now the active one in the store: make it the current
  // profile, refresh the key marks and apply its assignments through the key
  // filter.
  virtual void ShowProfile(int profile) = 0;
};
