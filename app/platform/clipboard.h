// The desktop clipboard's text, for typing a text through Ctrl+V. Callable from any thread except
// the window thread's own handlers, which never type.
#pragma once

#include <memory>
#include <string>

// What the clipboard holds, as far as a text can give it back.
struct ClipboardContent {
  enum class Kind {
    kNothing,  // nobody offers anything
    kText,     // `text`, maybe besides other forms of the same content (rich text, files)
    kOther,    // content without a text (an image), or what could not be read in time
  };
  Kind kind = Kind::kOther;
  std::string text;

  bool operator==(const ClipboardContent&) const = default;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual ClipboardContent Read() = 0;
  virtual bool SetText(const std::string& text) = 0;
};

// The GTK clipboard, reached on the GLib main context's thread (the window thread): each call is
// run there and waited for, at most two seconds.
std::unique_ptr<Clipboard> MakeGtkClipboard();
