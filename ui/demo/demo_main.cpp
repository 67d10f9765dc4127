// qorui_demo: shows the demo dialog on the desktop, or with --headless <png>
// renders it off screen into a PNG file.
#include <cstdio>
#include <cstring>
#include <string>

#include "QorUI/controls.h"
#include "QorUI/gtk_host.h"
#include "QorUI/headless_host.h"
#include "QorUI/manager.h"
#include "demo/demo_dialog.h"

int main(int argc, char** argv) {
  const bool headless = argc == 3 && std::strcmp(argv[1], "--headless") == 0;
  if (argc > 1 && !headless) {
    std::fprintf(stderr, "usage: %s [--headless <out.png>]\n", argv[0]);
    return 2;
  }
  if (headless) {
    Host::Install(std::make_unique<HeadlessHost>());
  } else {
    auto host = CreateGtkHost();
    if (!host) {
      std::fprintf(stderr, "qorui_demo: cannot open the display\n");
      return 1;
    }
    Host::Install(std::move(host));
  }
  Manager::InitGdiplus();
  RegisterControls();
  DemoDialog dlg(stdout);
  if (!dlg.Create(0, "QorUI Demo", 0x80B, 0, CRect(0, 0, 640, 400))) return 1;
  if (headless) {
    dlg.ShowWindow(SW_SHOW);
    auto* host = static_cast<HeadlessHost*>(Host::Current());
    host->Pump();
    const bool saved = host->SavePng(dlg.GetSafeHwnd(), argv[2]);
    dlg.DestroyWindow();
    Host::Install(nullptr);
    return saved ? 0 : 1;
  }
  dlg.CenterWindow();
  Host::Current()->Post([] {
    std::printf("ready\n");
    std::fflush(stdout);
  });
  const UINT result = dlg.ShowModal();
  std::printf("result %u\n", result);
  Manager::UnInitGdiplus();
  Host::Install(nullptr);
  return 0;
}
