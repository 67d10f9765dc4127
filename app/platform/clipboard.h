// The desktop clipboard's text, for typing a text through Ctrl+V. Callable from any thread except
// the window thread's own handlers, which never type.
#pragma once

#include <memory>
#include <optional>
#include <string>

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // The clipboard's text; none when it holds no text or cannot be read.
  virtual std::optional<std::string> GetText() = 0;
  virtual bool SetText(const std::string& text) = 0;
};

// The GTK clipboard, reached on the GLib main context's thread (the window thread): each call is
// run there and waited for, at most two seconds.
std::unique_ptr<Clipboard> MakeGtkClipboard();
