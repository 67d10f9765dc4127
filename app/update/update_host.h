// What the update jobs need from the rest of the program: the main window
// (update buttons, ending the program), the device link (firmware version),
// the worker (its queue), and the user's yes before a download is started.
#pragma once

#include <string>

#include "update/update_names.h"

class UpdateHost {
 public:
  virtual ~UpdateHost() = default;

  // Shows that an update is available on button 250 (program) or 251
  // (firmware) of the settings page.
  virtual void MarkUpdateAvailable(UpdateTarget target) = 0;

  // The attached keyboard's firmware version, -1 when it did not answer.
  virtual int ReadFirmwareVersion() = 0;

  // Appends a job code to the worker queue.
  virtual void EnqueueJob(int code) = 0;

  // Ends this program normally (exit code 0) once the downloaded program
  // runs on its own.
  virtual void EndProgram() = 0;
};

// The question asked before a downloaded program is started. The update jobs
// take it as an optional pointer: with none (no window to ask in) the answer
// is no, so nothing downloaded ever starts unattended.
class StartQuestion {
 public:
  virtual ~StartQuestion() = default;
  // Asks, yes or no, whether to start the program just downloaded for
  // `version` now, which ends this program. Blocks until answered.
  virtual bool ConfirmStart(UpdateTarget target, const std::string& version) = 0;
};
