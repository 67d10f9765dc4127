// The commands around the file readers and writers. Only what the store
// really took reaches the lists: a macro or profile the store refused gets
// no entry.
#include "interchange/interchange_commands.h"

#include <filesystem>

#include "interchange/macro_file.h"
#include "interchange/profile_file.h"

ExportResult InterchangeCommands::ExportProfile(const std::optional<SelectedProfile>& selected) {
  if (!selected) {
    m_view.ShowNotice(kNoProfileText, kNoProfileCaption);
    return ExportResult::kNothingSelected;
  }
  const std::optional<std::string> path = m_view.ChooseSaveFile(kExportProfileFilter);
  if (!path) return ExportResult::kCancelled;
  return interchange::WriteProfileFile(m_store, selected->profile, selected->text, *path)
             ? ExportResult::kSaved
             : ExportResult::kWriteFailed;
}

ExportResult InterchangeCommands::ExportMacro(std::optional<int> selected_macro) {
  if (!selected_macro) {
    m_view.ShowNotice(kNoMacroText, kNoMacroCaption);
    return ExportResult::kNothingSelected;
  }
  const std::optional<std::string> path = m_view.ChooseSaveFile(kExportMacroFilter);
  if (!path) return ExportResult::kCancelled;
  return interchange::WriteMacroFile(m_store, *selected_macro, *path) ? ExportResult::kSaved
                                                                      : ExportResult::kWriteFailed;
}

std::optional<std::string> InterchangeCommands::ChooseExistingFile(const FileDialogFilter& filter,
                                                                   ImportResult& result) {
  std::optional<std::string> path = m_view.ChooseOpenFile(filter);
  if (!path) {
    result = ImportResult::kCancelled;
    return std::nullopt;
  }
  std::error_code ignored;
  if (!std::filesystem::exists(*path, ignored)) {
    result = ImportResult::kMissingFile;
    return std::nullopt;
  }
  return path;
}

ImportResult InterchangeCommands::ImportProfile() {
  ImportResult result = ImportResult::kImported;
  const std::optional<std::string> path = ChooseExistingFile(kImportProfileFilter, result);
  if (!path) return result;
  const interchange::ProfileImport imported = interchange::ReadProfileFile(m_store, *path);
  if (!imported.readable) return ImportResult::kUnreadable;
  for (const interchange::ImportedMacro& macro : imported.macros) {
    m_view.AddMacroToList(macro.macro_id, macro.name);
  }
  if (imported.profile <= 0) return ImportResult::kRefused;
  m_view.AddProfileToList(imported.profile, imported.name);
  m_store.SetActiveProfile(imported.profile);
  m_view.ShowProfile(imported.profile);
  return ImportResult::kImported;
}

ImportResult InterchangeCommands::ImportMacro() {
  ImportResult result = ImportResult::kImported;
  const std::optional<std::string> path = ChooseExistingFile(kImportMacroFilter, result);
  if (!path) return result;
  const interchange::MacroImport imported = interchange::ReadMacroFile(m_store, *path);
  if (!imported.readable) return ImportResult::kUnreadable;
  if (imported.macro_id <= 0) return ImportResult::kRefused;
  m_view.AddMacroToList(imported.macro_id, imported.name);
  return ImportResult::kImported;
}
