// Screen capture over Xlib: XShmGetImage of the root window into a shared
// segment kept between captures, or XGetImage when the server has no MIT-SHM
// (or refuses it, as over a network). The connection is private to the
// sampling thread, apart from the toolkit's.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/screen_capture.h"

namespace {

// Xlib's error handler is process-wide and its default ends the process. Errors
// on capture connections are recorded for their capture instead; any other
// connection's errors go to the handler that was installed before.
class CaptureErrors {
 public:
  static void Watch(Display* display, int* last_error) {
    static std::once_flag installed;
    std::call_once(installed, [] { Previous() = XSetErrorHandler(&CaptureErrors::Handle); });
    std::lock_guard lock(Lock());
    Watched().push_back({display, last_error});
  }

  static void Forget(Display* display) {
    std::lock_guard lock(Lock());
    std::erase_if(Watched(), [display](const Entry& e) { return e.display == display; });
  }

 private:
  struct Entry {
    Display* display;
    int* last_error;
  };

  static int Handle(Display* display, XErrorEvent* event) {
    {
      std::lock_guard lock(Lock());
      for (const Entry& e : Watched()) {
        if (e.display == display) {
          *e.last_error = event->error_code;
          return 0;
        }
      }
    }
    return Previous() ? Previous()(display, event) : 0;
  }

  static std::mutex& Lock() {
    static std::mutex lock;
    return lock;
  }
  static std::vector<Entry>& Watched() {
    static std::vector<Entry> watched;
    return watched;
  }
  static XErrorHandler& Previous() {
    static XErrorHandler previous = nullptr;
    return previous;
  }
};

struct DisplayCloser {
  void operator()(Display* d) const { XCloseDisplay(d); }
};
struct ImageDestroyer {
  void operator()(XImage* image) const { XDestroyImage(image); }
};
using ImagePtr = std::unique_ptr<XImage, ImageDestroyer>;

// 0x00RRGGBB straight from the image: the usual 24/32-bit TrueColor layout.
bool IsNativeLayout(const XImage& image) {
  return image.bits_per_pixel == 32 && image.red_mask == 0xFF0000 && image.green_mask == 0xFF00 &&
         image.blue_mask == 0xFF && image.byte_order == LSBFirst &&
         std::endian::native == std::endian::little && image.bytes_per_line % 4 == 0;
}

unsigned ScaleToByte(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const unsigned long max = mask >> shift;
  return static_cast<unsigned>(((pixel & mask) >> shift) * 255 / max);
}

class X11ScreenCapture final : public ScreenCapture {
 public:
  X11ScreenCapture(Display* display, X11SharedMemory shm)
      : m_display(display),
        m_screen(DefaultScreen(display)),
        m_root(RootWindow(display, m_screen)),
        m_try_shm(shm == X11SharedMemory::kUseWhenPresent && XShmQueryExtension(display)) {
    CaptureErrors::Watch(display, &m_last_error);
  }

  ~X11ScreenCapture() override {
    DropSharedImage();
    m_plain.reset();
    CaptureErrors::Forget(m_display.get());
  }

  X11ScreenCapture(const X11ScreenCapture&) = delete;
  X11ScreenCapture& operator=(const X11ScreenCapture&) = delete;

  std::optional<ScreenPixels> Capture() override {
    Window root_return;
    int x, y;
    unsigned width, height, border, depth;
    if (!XGetGeometry(m_display.get(), m_root, &root_return, &x, &y, &width, &height, &border,
                      &depth) ||
        width == 0 || height == 0) {
      return std::nullopt;
    }
    XImage* image = m_try_shm ? CaptureShared(width, height) : nullptr;
    if (!image) image = CapturePlain(width, height);
    if (!image) return std::nullopt;
    return View(*image);
  }

 private:
  XImage* CaptureShared(unsigned width, unsigned height) {
    if (!m_shared || m_shared->width != static_cast<int>(width) ||
        m_shared->height != static_cast<int>(height)) {
      DropSharedImage();
      if (!MakeSharedImage(width, height)) {
        m_try_shm = false;  // refused once, refused for good: use the plain path
        return nullptr;
      }
    }
    m_last_error = 0;
    if (!XShmGetImage(m_display.get(), m_root, m_shared.get(), 0, 0, AllPlanes) || m_last_error) {
      return nullptr;
    }
    return m_shared.get();
  }

  bool MakeSharedImage(unsigned width, unsigned height) {
    Display* d = m_display.get();
    XImage* image = XShmCreateImage(d, DefaultVisual(d, m_screen), DefaultDepth(d, m_screen),
                                    ZPixmap, nullptr, &m_segment, width, height);
    if (!image) return false;
    m_shared.reset(image);
    m_segment.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image->bytes_per_line) * height,
                             IPC_CREAT | 0600);
    if (m_segment.shmid < 0) return DropSharedImage(), false;
    m_segment.shmaddr = image->data = static_cast<char*>(shmat(m_segment.shmid, nullptr, 0));
    // Marked for removal at once: the segment goes away when both sides detach,
    // even if this process dies.
    shmctl(m_segment.shmid, IPC_RMID, nullptr);
    if (m_segment.shmaddr == reinterpret_cast<char*>(-1)) {
      m_segment.shmaddr = image->data = nullptr;
      return DropSharedImage(), false;
    }
    m_segment.readOnly = False;
    m_last_error = 0;
    XShmAttach(d, &m_segment);
    XSync(d, False);
    if (m_last_error) return DropSharedImage(), false;
    m_attached = true;
    return true;
  }

  void DropSharedImage() {
    if (!m_shared) return;
    if (m_attached) {
      XShmDetach(m_display.get(), &m_segment);
      XSync(m_display.get(), False);
      m_attached = false;
    }
    if (m_segment.shmaddr) shmdt(m_segment.shmaddr);
    m_segment.shmaddr = nullptr;
    m_shared->data = nullptr;  // not Xlib's to free
    m_shared.reset();
  }

  XImage* CapturePlain(unsigned width, unsigned height) {
    m_last_error = 0;
    m_plain.reset(XGetImage(m_display.get(), m_root, 0, 0, width, height, AllPlanes, ZPixmap));
    if (m_last_error) m_plain.reset();
    return m_plain.get();
  }

  ScreenPixels View(XImage& image) {
    if (IsNativeLayout(image)) {
      return {reinterpret_cast<const std::uint32_t*>(image.data), image.width, image.height,
              image.bytes_per_line / 4};
    }
    m_converted.resize(static_cast<std::size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        const unsigned long p = XGetPixel(&image, x, y);
        m_converted[static_cast<std::size_t>(y) * image.width + x] =
            (ScaleToByte(p, image.red_mask) << 16) | (ScaleToByte(p, image.green_mask) << 8) |
            ScaleToByte(p, image.blue_mask);
      }
    }
    return {m_converted.data(), image.width, image.height, image.width};
  }

  std::unique_ptr<Display, DisplayCloser> m_display;
  int m_screen;
  Window m_root;
  bool m_try_shm;
  int m_last_error = 0;  // set by the error handler while this thread waits on the server

  XShmSegmentInfo m_segment{};
  ImagePtr m_shared;
  bool m_attached = false;
  ImagePtr m_plain;
  std::vector<std::uint32_t> m_converted;
};

}  // namespace

std::unique_ptr<ScreenCapture> CreateX11ScreenCapture(X11SharedMemory shm) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return nullptr;
  return std::make_unique<X11ScreenCapture>(display, shm);
}
