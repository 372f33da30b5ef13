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
    // From the press until the job's last dialog has closed.
    bool Runs() const { return runs_; }
    // While the encoder runs: the window stays hidden until the job ends.
    bool Encoding() const { return running_ != nullptr; }
    // While the encoder runs: stops it, puts the folder back and returns true.
    bool Stop();

    // Called at each turn of the wait for the encoder; what it throws ends
    // the job as any failure there does. A seam for tests.
    std::function<void()> OnWaitTurn;

  private:
    class Running;
    // Stopped when the user or the end of the session stopped it; Failed
    // when it could not start, ended with an error or wrote nothing.
    enum class End { Finished, Failed, Stopped };

    std::string encoderPath_;
    std::string commandLine_;
    bool runs_ = false;
    Running* running_ = nullptr;
};

}  // namespace wendle
