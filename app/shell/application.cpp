// Start-up of the program. The main window does not exist yet: at step 9 the
// first instance does what the window's initialisation will do that needs no
// window (configuration, device manager, layout and database, the first
// device scan and the hot-plug watch), reports it through the console front
// end, and serves the single-instance socket. The window takes the front
// end's place, and starts the worker, the key filter and the virtual
// keyboard, which act on the user's keyboard and so wait for the pages.
//
// This file is built into the program itself, not its core library: it is
// the one place that joins the core with the simulator.
#include "shell/application.h"

#include <iostream>
#include <memory>

#include "QorUI/manager.h"
#include "device/hid_device_manager.h"
#include "platform/event_loop.h"
#include "platform/instance_channel.h"
#include "platform/udev_monitor.h"
#include "shell/configuration.h"
#include "shell/current_language.h"
#include "shell/exit_sequence.h"
#include "shell/language_choice.h"
#include "shell/paths.h"
#include "shell/settings.h"
#include "shell/windowless_start.h"
#include "sim/hid_backend_factory.h"
#include "store/profile_store.h"

namespace {

constexpr const char* kProgram = "tervane";
constexpr int kAnswerTimeoutMs = 3000;

std::string LockPath(const std::string& runtime_dir) {
  return runtime_dir + Manager::GetDeviceName() + ".lock";
}

std::string SocketPath(const std::string& runtime_dir) {
  return runtime_dir + Manager::GetDeviceName() + ".sock";
}

int PrintVersion() {
  const std::string program_dir = GetModuleDirectory();
  LoadDeviceName(program_dir);
  ProductStrings product;
  if (!LoadProductStrings(program_dir, product) || product.version.empty()) {
    std::cerr << kProgram << ": cannot read the version from " << ConfigurationFilePath(program_dir)
              << "\n";
    return 1;
  }
  std::cout << Manager::GetDeviceName() << " " << product.version << "\n";
  return 0;
}

int SendQuit() {
  LoadDeviceName(GetModuleDirectory());
  const std::string runtime_dir = GetRuntimeDirectory(ProcessEnvironment());
  switch (SendInstanceCommand(SocketPath(runtime_dir), "quit", kAnswerTimeoutMs)) {
    case SendResult::kDelivered:
      return 0;
    case SendResult::kNoInstance:
      std::cerr << kProgram << ": " << Manager::GetDeviceName() << " is not running\n";
      return 1;
    case SendResult::kNoAnswer:
      break;
  }
  std::cerr << kProgram << ": the running instance did not answer\n";
  return 1;
}

// Commands of later starts, on the main loop's thread.
void HandleInstanceCommand(const std::string& command, ExitSequence& exit_sequence) {
  if (command == "quit") exit_sequence.Run();
  if (command == "activate") {
    // Bringing the main window forward replaces this note once it exists.
    std::cerr << kProgram << ": another start asked this instance to come forward\n";
  }
}

int Run(bool simulate) {
  const Environment env = ProcessEnvironment();
  // 1. Everything below is named after the device name.
  LoadDeviceName(GetModuleDirectory());

  // 2. One instance per device name; a second start activates the first.
  const std::string runtime_dir = GetRuntimeDirectory(env);
  std::unique_ptr<InstanceLock> lock;
  if (!runtime_dir.empty()) {
    const bool another = InstanceLock::Acquire(LockPath(runtime_dir), lock) ==
                         InstanceLock::Result::kAnotherIsRunning;
    // Without the lock only an answer on the socket tells whether an
    // instance runs; replacing its socket would leave it unreachable.
    const SendResult sent = another || !lock ? SendInstanceCommand(SocketPath(runtime_dir),
                                                                   "activate", kAnswerTimeoutMs)
                                             : SendResult::kNoInstance;
    if (another || sent == SendResult::kDelivered) return 0;
  }

  // 5. The program language.
  SettingsFile settings_file(GetSettingsFilePath(env));
  Settings settings(settings_file);
  SetCurrentLanguage(ChooseLanguage(settings, env));

  // 7. The database folder.
  EnsureDirectory(GetDataDirectory(env) + "db");

  // 9. The main loop, with the socket of later starts and the signals that
  // must not leave the process without its exit sequence.
  // The signals are taken over first: once the socket exists, a later
  // start may already count on this instance answering.
  std::unique_ptr<EventLoop> loop = CreateMainEventLoop();
  ExitSequence exit_sequence;
  loop->OnTerminationSignal([&exit_sequence] { exit_sequence.Run(); });
  std::unique_ptr<InstanceServer> server =
      runtime_dir.empty() ? nullptr : InstanceServer::Listen(SocketPath(runtime_dir));
  exit_sequence.AddStep([&server] { server.reset(); });
  if (server) {
    loop->WatchReadable(server->fd(), [&server, &exit_sequence] {
      if (auto command = server->AcceptCommand()) HandleInstanceCommand(*command, exit_sequence);
    });
  }

  // The window-less front end in place of the window's initialisation.
  Configuration config;
  ConsoleStatus status(std::cout, config);
  status.Say(Manager::GetDeviceName() +
             " runs without its main window, which is not built yet; this console shows what "
             "it finds");
  HidBackendChoice backend = CreateHidBackend(simulate);
  HidDeviceManager manager(std::move(backend.backend));
  KeyboardLayout layout;
  LoadModels(GetModuleDirectory(), GetDataDirectory(env), ProfileStore::GetInstance(), config,
             layout, manager, status);
  if (backend.simulator) {
    backend.simulator->AddKeyboardsFor(manager.GetDeviceFilters());
    status.Say("Simulating one keyboard of each configured model (--simulate)");
  }
  DeviceConnection connection(manager, status);
  // Watched before the first scan, so a keyboard plugged in meanwhile is not missed.
  std::unique_ptr<DeviceNoticeSource> notices = CreateUdevMonitor();
  if (notices) {
    loop->WatchReadable(notices->Fd(), [&] {
      for (const DeviceNotice& notice : notices->ReadNotices()) connection.OnDeviceChange(notice);
      if (status.TakeRefreshRequest()) ScanDevices(connection, manager, status);
    });
  } else {
    status.Say(
        "Keyboards plugged in or out from now on go unnoticed: the udev monitor could "
        "not be started");
  }
  ScanDevices(connection, manager, status);
  status.Say("Ready; `tervane --quit` or Ctrl+C ends it");

  loop->Run();

  // 10. The loop ended without the exit sequence.
  return 1;
}

}  // namespace

int RunApplication(const CommandLine& command_line) {
  switch (command_line.action) {
    case CommandLine::Action::kInvalid:
      std::cerr << kProgram << ": " << command_line.error << "\n" << UsageText(kProgram);
      return 2;
    case CommandLine::Action::kHelp:
      std::cout << UsageText(kProgram);
      return 0;
    case CommandLine::Action::kVersion:
      return PrintVersion();
    case CommandLine::Action::kQuit:
      return SendQuit();
    case CommandLine::Action::kRenderPages:
      std::cerr << kProgram << ": --render-pages needs the main window, which this build lacks\n";
      return 1;
    case CommandLine::Action::kRun:
      break;
  }
  return Run(command_line.simulate);
}
