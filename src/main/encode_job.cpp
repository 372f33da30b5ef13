#include "main/encode_job.h"

#include <new>
#include <string>

#include "core/encode_plan.h"
#include "core/failure.h"
#include "core/folder_items.h"
#include "win/file_system.h"
#include "win/system_rules.h"
#include "dialogs/message_dialog.h"
#include "dialogs/progress_window.h"
#include "main/encoder.h"
#include "main/output_files.h"

namespace wendle {

void EncodeJob::FindEncoder() {
    const std::string besideProgram = ProgramFolder();
    const std::string startFolder = ReadCurrentDirectory();
    const std::string beside =
        besideProgram.empty() ? "" : JoinPath(besideProgram, "oggenc.exe", SystemPathRules());
    // Beside the program first: started from "Open with" or a drop on a
    // shortcut, the start folder is the document's, which may hold any
    // program of that name.
    if (!beside.empty() && IsExistingFile(beside)) {
        encoderPath_ = beside;
    } else {
        encoderPath_ =
            startFolder.empty() ? "" : JoinPath(startFolder, "oggenc.exe", SystemPathRules());
    }
}

// One run of the encoder, from the main window hidden to its return. Armed
// when made; its end, on every way out (finished, failed, stopped, the end of
// the session, an exception), ends the encoder if it still runs, puts the
// folder back unless the job finished, forgets the stop, and gives the main
// window back, enabled and shown.
class EncodeJob::Running {
  public:
    Running(EncodeJob& job, HWND window, OutputFiles& files)
        : job_(job), window_(window), files_(files) {
        job_.running_ = this;
    }
    ~Running() {
        job_.running_ = nullptr;
        encoder_.Stop();
        if (!finished_) PutBack();
    }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    // Synchronous, so that the end of the session finds the folder put back.
    void Stop() {
        if (stopped_) return;
        stopped_ = true;
        encoder_.Stop();
        PutBack();
    }

    End Wait(const std::string& commandLine, const EncodeFields& fields);

  private:
    void PutBack() noexcept {
        try {
            files_.PutBack();
        } catch (const std::bad_alloc&) {
            // Only the text of what stays is lost; the job reports a failure.
        }
    }

    EncodeJob& job_;
    HWND window_;
    WindowAway away_{window_};  // back last, after the folder is put back
    OutputFiles& files_;
    Encoder encoder_;
    bool stopped_ = false;
    bool finished_ = false;
};

EncodeJob::End EncodeJob::Running::Wait(const std::string& commandLine,
                                        const EncodeFields& fields) {
    RECT main;
    GetWindowRect(window_, &main);
    if (!encoder_.Start(commandLine)) return End::Failed;
    ProgressWindow progress;
    const auto stop = [this] { Stop(); };
    progress.OnStop = stop;
    progress.OnEndSession = stop;
    // Nothing on screen would show the job or handle the end of the session.
    if (!progress.Create(main.left, main.top, SystemPathRules().ExtractName(fields.inputFileName),
                         fields.outputFileName)) {
        return End::Failed;
    }
    const DWORD started = GetTickCount();
    long shown = -1;
    // The pipe never fills, whichever loop runs.
    progress.OnTick = [&] {
        const bool changed = encoder_.Read();
        const long elapsed = static_cast<long>((GetTickCount() - started) / 1000);
        if (changed || elapsed != shown) {
            progress.Show(encoder_.Progress(), elapsed);
            shown = elapsed;
        }
    };
    HANDLE process = encoder_.Process();
    bool quit = false;
    int quitCode = 0;
    for (;;) {
        progress.OnTick();
        if (job_.OnWaitTurn) job_.OnWaitTurn();
        if (stopped_) break;
        if (MsgWaitForMultipleObjects(1, &process, FALSE, kPollMs, QS_ALLINPUT) == WAIT_OBJECT_0) {
            encoder_.Read();
            // An encoder that ends well without writing has not replaced the old file.
            finished_ = encoder_.ExitedWell() && files_.Written();
            break;
        }
        if (DispatchMessages(progress, stopped_, &quitCode)) {
            quit = true;
            Stop();
        }
    }
    if (quit) PostQuitMessage(quitCode);
    return stopped_ ? End::Stopped : finished_ ? End::Finished : End::Failed;
}

bool EncodeJob::DispatchMessages(ProgressWindow& progress, const bool& stopped, int* quitCode) {
    MSG msg;
    while (!stopped && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            *quitCode = static_cast<int>(msg.wParam);
            return true;
        }
        if (progress.TakeDialogMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return false;
}

void EncodeJob::ShowRefusal(HWND window, const char* refusal, const std::string& refused) {
    std::string text = std::string("\n") + refusal;
    if (!refused.empty()) text += "\n" + refused;
    ShowError(window, text);
}

bool EncodeJob::Stop() {
    if (running_) {
        running_->Stop();
    } else if (batch_) {
        StopBatch();
    } else {
        return false;
    }
    return true;
}

void EncodeJob::Run(HWND window, const EncodeFields& fields, const std::string& outputPath) {
    const Raised raised(runs_);
    const EncodePlan plan =
        PlanEncode(fields, encoderPath_, outputPath, SystemFileQueries(), SystemPathRules());
    if (plan.commandLineBuilt) commandLine_ = plan.commandLine;
    if (plan.refusal) {
        ShowRefusal(window, plan.refusal, plan.refused);
        return;
    }
    if (plan.askBeforeOverwriting &&
        ShowMessageDialogOver(window, kOverwriteQuestion, MessageKind::Confirmation,
                              MessageButtons::OkCancel) != kResultOk) {
        return;
    }
    // The old file stays until the new one is written: the encoder opens
    // its output before it may reject the job.
    std::string setAside;
    try {
        ChangeCurrentDirectory(plan.outputFolder);
    } catch (const IoFailure&) {
        ShowError(window, std::string("\n") + kJobFailed);
        return;
    }
    if (plan.askBeforeOverwriting && (setAside = SetFileAside(plan.output)).empty()) {
        ShowError(window, std::string("\n") + kJobFailed);
        return;
    }
    OutputFiles files(plan.output, setAside);
    End end;
    {
        Running running(*this, window, files);
        end = running.Wait(commandLine_, fields);
    }
    // A failed start or a failed encode must not look like a finished one,
    // and leaves the folder as it was; a stop was asked for and says nothing
    // unless the folder could not be put back, nor a good encode unless the
    // old content could not be removed.
    const std::string left = end == End::Finished ? files.Finished() : files.PutBack();
    if (!left.empty()) {
        ShowError(window, "\n" + left);
    } else if (end == End::Failed) {
        ShowError(window, std::string("\n") + kJobFailed);
    }
}

}  // namespace wendle
