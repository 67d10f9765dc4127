// Choosing the program language at start-up (and on a factory reset): the
// stored "LCID", else the user's locale, which is then stored.
#pragma once

#include "platform/environment.h"
#include "shell/settings.h"

// 2052 when the first set of LC_ALL, LC_MESSAGES and LANG names Simplified
// Chinese (zh_CN or zh_Hans), else 1033.
int LanguageFromLocale(const Environment& env);

// The stored language when it is one the program has (1033 or 2052);
// otherwise the locale's, written back. A stored value of another language
// would leave every text empty, so it is treated like no value.
int ChooseLanguage(Settings& settings, const Environment& env);
