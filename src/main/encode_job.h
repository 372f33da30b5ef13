// The encode job: what one press of the start button does. The checks, the
// overwrite question, the encoder run in the output folder with the main
// window hidden and the progress window shown, and the folder put back when
// the encode fails or is stopped. A batch is that job for many files at once
// (batch_job.cpp).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/batch_plan.h"
#include "core/command_line.h"

namespace wendle {

class ProgressWindow;

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
    // The files of a batch in the order listed, for the typed fields, into
    // the output folder: the look before it (with what was left out), the
    // checks and the one question, then every file on up to one encoder per
    // processor; one error at the end lists the files that failed.
    void RunBatch(HWND window, const std::vector<BatchFile>& files, const EncodeFields& typed,
                  const std::string& outputFolder, const std::string& leftOut);
    // From the press (or the way into a batch) until the last dialog has closed.
    bool Runs() const { return runs_; }
    // While an encoder runs: the window stays hidden until the job ends.
    bool Encoding() const { return running_ != nullptr || batch_ != nullptr; }
    // While an encoder runs: stops every one, puts the folder back and
    // returns true.
    bool Stop();

    // Called at each turn of the wait for the encoder; what it throws ends
    // the job as any failure there does. A seam for tests.
    std::function<void()> OnWaitTurn;

  private:
    class Running;
    class Batch;
    // Stopped when the user or the end of the session stopped it; Failed
    // when it could not start, ended with an error or wrote nothing.
    enum class End { Finished, Failed, Stopped };
    // Raised for a whole press or batch, its dialogs included, on every way out.
    class Raised {
      public:
        explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
        ~Raised() { flag_ = false; }
        Raised(const Raised&) = delete;
        Raised& operator=(const Raised&) = delete;

      private:
        bool& flag_;
    };
    // The main window while encoders run: hidden and disabled, so no menu,
    // About window or keyboard reaches it; given back enabled, shown and in
    // front when the run ends.
    class WindowAway {
      public:
        explicit WindowAway(HWND window) : window_(window) {
            EnableWindow(window_, FALSE);
            ShowWindow(window_, SW_HIDE);
        }
        ~WindowAway() {
            EnableWindow(window_, TRUE);
            ShowWindow(window_, SW_SHOW);
            SetForegroundWindow(window_);
        }
        WindowAway(const WindowAway&) = delete;
        WindowAway& operator=(const WindowAway&) = delete;

      private:
        HWND window_;
    };
    // How often the pipes are read and the times shown when nothing else
    // wakes the wait.
    static constexpr DWORD kPollMs = 100;

    void StopBatch();
    // What the queue holds, while the job is not stopped, the progress
    // window's keys its own; true, with the code, at WM_QUIT, which the
    // caller leaves for the outer loop once the job has stopped.
    static bool DispatchMessages(ProgressWindow& progress, const bool& stopped, int* quitCode);
    // The error dialog for a refusal of the checks, with what it is about.
    static void ShowRefusal(HWND window, const char* refusal, const std::string& refused);

    std::string encoderPath_;
    std::string commandLine_;
    bool runs_ = false;
    Running* running_ = nullptr;
    Batch* batch_ = nullptr;
};

}  // namespace wendle
