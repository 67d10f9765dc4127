// The GTK clipboard may only be used on the thread that runs the default main context, so every
// call is handed to that context and its answer waited for. The request lives in a shared block:
// a caller that gave up waiting leaves it to the main context to finish and free.
#include <gtk/gtk.h>

#include <chrono>
#include <functional>
#include <future>

#include "platform/clipboard.h"

namespace {

constexpr std::chrono::seconds kAnswerWait{2};

struct Request {
  std::function<std::optional<std::string>()> work;
  std::promise<std::optional<std::string>> answer;
};

gboolean RunRequest(gpointer data) {
  auto* holder = static_cast<std::shared_ptr<Request>*>(data);
  (*holder)->answer.set_value((*holder)->work());
  delete holder;
  return G_SOURCE_REMOVE;
}

std::optional<std::string> OnMainContext(std::function<std::optional<std::string>()> work) {
  if (g_main_context_is_owner(g_main_context_default())) return work();
  auto request = std::make_shared<Request>();
  request->work = std::move(work);
  std::future<std::optional<std::string>> answer = request->answer.get_future();
  g_main_context_invoke(nullptr, RunRequest, new std::shared_ptr<Request>(request));
  if (answer.wait_for(kAnswerWait) != std::future_status::ready) return std::nullopt;
  return answer.get();
}

class MainContextClipboard final : public Clipboard {
 public:
  std::optional<std::string> GetText() override {
    return OnMainContext([]() -> std::optional<std::string> {
      gchar* text = gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
      if (!text) return std::nullopt;
      std::string result(text);
      g_free(text);
      return result;
    });
  }

  bool SetText(const std::string& text) override {
    return OnMainContext([text]() -> std::optional<std::string> {
             GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
             gtk_clipboard_set_text(clipboard, text.c_str(), static_cast<gint>(text.size()));
             return std::string();
           })
        .has_value();
  }
};

}  // namespace

std::unique_ptr<Clipboard> MakeGtkClipboard() {
  return std::make_unique<MainContextClipboard>();
}
