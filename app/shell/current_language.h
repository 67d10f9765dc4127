// The program language (a Windows language id, 2052 or 1033) that chooses the
// language file, the language combo box entry and the fallback encoding of
// undeclared 8-bit XML files.
#pragma once

inline constexpr int kLanguageEnglish = 1033;
inline constexpr int kLanguageChinese = 2052;

// Safe from any thread: the settings page changes it on the UI thread while
// the worker looks texts up.
int CurrentLanguage();
void SetCurrentLanguage(int language);
