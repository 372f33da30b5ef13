// The encoder's process, with its standard error (and output) in a pipe that
// is read without waiting: how far it is. Ended when stopped, and when this
// object goes while it still runs.
#pragma once

#include <windows.h>

#include <string>

#include "core/encoder_progress.h"

namespace wendle {

class Encoder {
  public:
    Encoder();
    ~Encoder();
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    // Runs the command line in the current directory, without a console
    // window; false when it could not be started.
    bool Start(const std::string& commandLine);

    // Signalled when the process has ended; null before a start.
    HANDLE Process() const { return process_; }
    const EncoderProgress& Progress() const { return reader_.Progress(); }

    // Takes what the encoder has written so far; true when the progress changed.
    bool Read();

    // Ends the process if it still runs, and waits until its files are closed.
    void Stop();

    // The process has ended with the exit code 0.
    bool ExitedWell() const;

  private:
    HANDLE process_ = nullptr;
    HANDLE output_ = nullptr;
    EncoderProgressReader reader_;
};

}  // namespace wendle
