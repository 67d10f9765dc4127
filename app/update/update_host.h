// What the update jobs need from the rest of the program: the main window
// (update buttons, the question before starting a download), the device
// link (firmware version) and the worker (its queue).
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

  // Asks the user, yes or no, whether to start the program just downloaded
  // for `version` now, which ends this program. Blocks until answered; where
  // there is nobody to ask (no window) the answer is no.
  virtual bool ConfirmStart(UpdateTarget target, const std::string& version) = 0;

  // Ends this program normally (exit code 0) once the downloaded program
  // runs on its own.
  virtual void EndProgram() = 0;
};
