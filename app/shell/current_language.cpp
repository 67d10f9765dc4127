// The process-wide program language.
#include "shell/current_language.h"

#include <atomic>

namespace {
std::atomic<int> g_current_language{kLanguageEnglish};
}

int CurrentLanguage() {
  return g_current_language.load(std::memory_order_relaxed);
}

void SetCurrentLanguage(int language) {
  g_current_language.store(language, std::memory_order_relaxed);
}
