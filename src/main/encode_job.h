// The encode job: what one press of the start button does. The checks, the
// overwrite question, the encoder run in the output folder with the main
// window hidden and the progress window shown, and the folder put back when
// the encode fails or is stopped.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/command_line.h"

namespace wendle {

class EncodeJob {
  public:
    // Fixed once, at start-up: the oggenc.exe beside the program when there
    // is one, else the one in the start folder; empty when neither folder
    // can be read, as a bare name would be looked for along a search path.
    void FindEncoder();
    const std::string& EncoderPath() const { return encoderPath_; }
    // The encoder command line of the most recent job.
    const std::string& CommandLine() const { return commandLine_; }

    // One job for the fields and the output path that the window shows; the
    // window is hidden while the encoder runs and its dialogs stand at its
    // corner + 150.
    void Run(HWND window, const EncodeFields& fields, const std::string& outputPath);
    // During a job: stops the encoder, puts the folder back and returns true.
    bool Stop();

  private:
    enum class End { Finished, Failed, Stopped };
    // Stopped, with putBack run, when the user or the end of the session
    // stopped it; Failed when it could not start or ended with an error.
    End RunEncoder(HWND window, const EncodeFields& fields,
                   const std::function<std::string()>& putBack);

    std::string encoderPath_;
    std::string commandLine_;
    // Set while the encoder runs.
    std::function<void()> stop_;
};

}  // namespace wendle
