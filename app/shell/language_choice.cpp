// Language choice from the settings and the locale.
#include "shell/language_choice.h"

#include "shell/current_language.h"

int LanguageFromLocale(const Environment& env) {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const auto value = env(variable);
    if (!value || value->empty()) continue;
    return value->starts_with("zh_CN") || value->starts_with("zh_Hans") ? kLanguageChinese
                                                                        : kLanguageEnglish;
  }
  return kLanguageEnglish;
}

int ChooseLanguage(Settings& settings, const Environment& env) {
  const int stored = settings.ReadLanguageSetting();
  if (stored == kLanguageEnglish || stored == kLanguageChinese) return stored;
  const int language = LanguageFromLocale(env);
  settings.WriteLanguageSetting(language);
  return language;
}
