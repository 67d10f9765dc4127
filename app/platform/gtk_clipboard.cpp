// The GTK clipboard may only be used on the thread that runs the default main context, so every
// call is handed to that context and its answer waited for. The request lives in a shared block:
// a caller that gave up waiting leaves it to the main context to finish and free. Reading tells
// an empty clipboard from one whose content has no text (an image).
#include <gtk/gtk.h>

#include <chrono>
#include <functional>
#include <future>
#include <optional>

#include "platform/clipboard.h"

namespace {

constexpr std::chrono::seconds kAnswerWait{2};

template <typename T>
struct Request {
  std::function<T()> work;
  std::promise<T> answer;
};

template <typename T>
gboolean RunRequest(gpointer data) {
  auto* holder = static_cast<std::shared_ptr<Request<T>>*>(data);
  (*holder)->answer.set_value((*holder)->work());
  delete holder;
  return G_SOURCE_REMOVE;
}

// The answer of `work`, or none when the main context did not give it in time.
template <typename T>
std::optional<T> OnMainContext(std::function<T()> work) {
  if (g_main_context_is_owner(g_main_context_default())) return work();
  auto request = std::make_shared<Request<T>>();
  request->work = std::move(work);
  std::future<T> answer = request->answer.get_future();
  g_main_context_invoke(nullptr, RunRequest<T>, new std::shared_ptr<Request<T>>(request));
  if (answer.wait_for(kAnswerWait) != std::future_status::ready) return std::nullopt;
  return answer.get();
}

ClipboardContent ReadOnMainContext() {
  GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  if (gchar* text = gtk_clipboard_wait_for_text(clipboard)) {
    ClipboardContent content{ClipboardContent::Kind::kText, text};
    g_free(text);
    return content;
  }
  GdkAtom* targets = nullptr;
  gint count = 0;
  const bool offered = gtk_clipboard_wait_for_targets(clipboard, &targets, &count) && count > 0;
  g_free(targets);
  return {offered ? ClipboardContent::Kind::kOther : ClipboardContent::Kind::kNothing, {}};
}

class MainContextClipboard final : public Clipboard {
 public:
  ClipboardContent Read() override {
    // Not read in time: unknown, so kOther, never to be replaced by an empty text.
    return OnMainContext<ClipboardContent>(ReadOnMainContext).value_or(ClipboardContent{});
  }

  bool SetText(const std::string& text) override {
    return OnMainContext<bool>([text] {
             GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
             gtk_clipboard_set_text(clipboard, text.c_str(), static_cast<gint>(text.size()));
             return true;
           })
        .has_value();
  }
};

}  // namespace

std::unique_ptr<Clipboard> MakeGtkClipboard() {
  return std::make_unique<MainContextClipboard>();
}
