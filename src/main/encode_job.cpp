#include "main/encode_job.h"

#include <string>
#include <vector>

#include "core/encode_plan.h"
#include "core/encoder_progress.h"
#include "core/failure.h"
#include "core/folder_items.h"
#include "win/file_system.h"
#include "win/system_library.h"
#include "win/system_rules.h"
#include "dialogs/message_dialog.h"
#include "dialogs/progress_window.h"

namespace wendle {

namespace {

class SystemFiles : public FileQueries {
  public:
    Found FindFile(const std::string& name) const override { return wendle::FindFile(name); }
    Found FindFolder(const std::string& name) const override { return wendle::FindFolder(name); }
};

// The output as the job found it: a new name, or an old file set aside.
class OutputFiles {
  public:
    OutputFiles(std::string output, std::string setAside)
        : output_(std::move(output)), setAside_(std::move(setAside)) {}

    // After a failure or a stop: the folder as it was before the job. Empty
    // when it is; else what the user must be told.
    std::string PutBack() {
        if (putBack_) return left_;
        putBack_ = true;
        const bool removed = RemoveFile(output_);
        if (setAside_.empty()) {
            if (!removed) left_ = "途中までのファイルを削除できませんでした\n" + output_;
        } else if (!removed || !RenameFile(setAside_, output_)) {
            left_ = "元のファイルを戻せませんでした\n";
            if (!removed) left_ += "途中までのファイル: " + output_ + "\n";
            left_ += "元の内容: " + setAside_;
        }
        return left_;
    }
    // After a good encode: empty, or what the user must be told.
    std::string Finished() const {
        if (setAside_.empty() || RemoveFile(setAside_)) return std::string();
        return "新しいファイルは書けましたが、元の内容を削除できませんでした\n元の内容: " +
               setAside_;
    }

  private:
    std::string output_, setAside_, left_;
    bool putBack_ = false;
};

// Handles an inheriting child gets: only the ones named (Vista and later),
// else every inheritable one, which here are only these.
class InheritedHandles {
  public:
    explicit InheritedHandles(std::vector<HANDLE> handles) : handles_(std::move(handles)) {
        using Initialize = BOOL(WINAPI*)(LPPROC_THREAD_ATTRIBUTE_LIST, DWORD, DWORD, PSIZE_T);
        using Update = BOOL(WINAPI*)(LPPROC_THREAD_ATTRIBUTE_LIST, DWORD, DWORD_PTR, PVOID, SIZE_T,
                                     PVOID, PSIZE_T);
        const auto initialize =
            SystemFunction<Initialize>("kernel32.dll", "InitializeProcThreadAttributeList");
        const auto update = SystemFunction<Update>("kernel32.dll", "UpdateProcThreadAttribute");
        delete_ = SystemFunction<Delete>("kernel32.dll", "DeleteProcThreadAttributeList");
        if (!initialize || !update || !delete_) return;
        SIZE_T size = 0;
        initialize(nullptr, 1, 0, &size);
        storage_.resize(size);
        auto list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
        if (size == 0 || !initialize(list, 1, 0, &size)) return;
        list_ = list;
        if (!update(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_.data(),
                    handles_.size() * sizeof(HANDLE), nullptr, nullptr)) {
            delete_(list_);
            list_ = nullptr;
        }
    }
    ~InheritedHandles() {
        if (list_) delete_(list_);
    }
    InheritedHandles(const InheritedHandles&) = delete;
    InheritedHandles& operator=(const InheritedHandles&) = delete;

    LPPROC_THREAD_ATTRIBUTE_LIST List() const { return list_; }

  private:
    using Delete = VOID(WINAPI*)(LPPROC_THREAD_ATTRIBUTE_LIST);
    std::vector<HANDLE> handles_;
    std::vector<char> storage_;
    LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
    Delete delete_ = nullptr;
};

void Close(HANDLE& handle) {
    if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    handle = nullptr;
}

// The encoder's process with its standard error (and output) in a pipe
// that is read without waiting.
class Encoder {
  public:
    Encoder() : reader_(SystemPathRules()) {}
    ~Encoder() {
        Close(process_);
        Close(output_);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    bool Start(const std::string& commandLine) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE write = nullptr;
        // Room for minutes of progress records if the loop is ever held up.
        if (!CreatePipe(&output_, &write, &inherit, 1 << 16)) return false;
        SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
        HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &inherit, OPEN_EXISTING, 0, nullptr);
        STARTUPINFOEXA startup{};
        startup.StartupInfo.cb = sizeof startup.StartupInfo;
        startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
        startup.StartupInfo.wShowWindow = SW_SHOW;
        startup.StartupInfo.hStdInput = input;
        startup.StartupInfo.hStdOutput = write;
        startup.StartupInfo.hStdError = write;
        std::vector<HANDLE> inherited{write};
        if (input != INVALID_HANDLE_VALUE) inherited.push_back(input);
        const InheritedHandles handles(inherited);
        DWORD flags = CREATE_NO_WINDOW | NORMAL_PRIORITY_CLASS;
        if (handles.List()) {
            startup.StartupInfo.cb = sizeof startup;
            startup.lpAttributeList = handles.List();
            flags |= EXTENDED_STARTUPINFO_PRESENT;
        }
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        PROCESS_INFORMATION process{};
        const BOOL created = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, flags,
                                            nullptr, nullptr, &startup.StartupInfo, &process);
        // Only the encoder holds the writing end now: its end ends the pipe.
        Close(write);
        Close(input);
        if (!created) return false;
        CloseHandle(process.hThread);
        process_ = process.hProcess;
        return true;
    }

    HANDLE Process() const { return process_; }
    const EncoderProgress& Progress() const { return reader_.Progress(); }

    // Takes what the encoder has written so far; true when the progress changed.
    bool Read() {
        bool changed = false;
        char buffer[4096];
        DWORD ready = 0, got = 0;
        while (output_ && PeekNamedPipe(output_, nullptr, 0, nullptr, &ready, nullptr) &&
               ready > 0 &&
               ReadFile(output_, buffer, ready < sizeof buffer ? ready : sizeof buffer, &got,
                        nullptr) &&
               got > 0) {
            changed = reader_.Take(buffer, got) || changed;
        }
        return changed;
    }

    void Stop() {
        TerminateProcess(process_, 1);
        // Its files are closed only once it has gone.
        WaitForSingleObject(process_, 10000);
    }

    bool Succeeded() const {
        DWORD exitCode = 1;
        return GetExitCodeProcess(process_, &exitCode) && exitCode == 0;
    }

  private:
    HANDLE process_ = nullptr;
    HANDLE output_ = nullptr;
    EncoderProgressReader reader_;
};

// How often the pipe is read and the times are shown when nothing else wakes the loop.
const DWORD kPollMs = 100;

}  // namespace

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

bool EncodeJob::Stop() {
    if (!stop_) return false;
    stop_();
    return true;
}

void EncodeJob::Run(HWND window, const EncodeFields& fields, const std::string& outputPath) {
    const EncodePlan plan =
        PlanEncode(fields, encoderPath_, outputPath, SystemFiles(), SystemPathRules());
    if (plan.commandLineBuilt) commandLine_ = plan.commandLine;
    if (plan.refusal) {
        std::string refusal = plan.refusal;
        if (!plan.refused.empty()) refusal += "\n" + plan.refused;
        ShowError(window, "\n" + refusal);
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
    const End end = RunEncoder(window, fields, [&] { return files.PutBack(); });
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

EncodeJob::End EncodeJob::RunEncoder(HWND window, const EncodeFields& fields,
                                     const std::function<std::string()>& putBack) {
    Encoder encoder;
    ShowWindow(window, SW_HIDE);
    if (!encoder.Start(commandLine_)) {
        ShowWindow(window, SW_SHOW);
        return End::Failed;
    }
    // Hidden and disabled: no second job, menu or About window meanwhile.
    EnableWindow(window, FALSE);
    bool stopped = false;
    // Synchronous, so that the end of the session finds the folder put back.
    stop_ = [&] {
        if (stopped) return;
        stopped = true;
        encoder.Stop();
        putBack();
    };
    End end = End::Failed;
    {
        ProgressWindow progress;
        progress.OnStop = stop_;
        progress.OnEndSession = stop_;
        RECT main;
        GetWindowRect(window, &main);
        progress.Create(main.left, main.top, SystemPathRules().ExtractName(fields.inputFileName),
                        fields.outputFileName);
        const DWORD started = GetTickCount();
        long shown = -1;
        // The pipe never fills, whichever loop runs.
        progress.OnTick = [&] {
            const bool changed = encoder.Read();
            const long elapsed = static_cast<long>((GetTickCount() - started) / 1000);
            if (changed || elapsed != shown) {
                progress.Show(encoder.Progress(), elapsed);
                shown = elapsed;
            }
        };
        HANDLE process = encoder.Process();
        bool quit = false;
        int quitCode = 0;
        for (;;) {
            progress.OnTick();
            if (stopped) break;
            if (MsgWaitForMultipleObjects(1, &process, FALSE, kPollMs, QS_ALLINPUT) ==
                WAIT_OBJECT_0) {
                encoder.Read();
                end = encoder.Succeeded() ? End::Finished : End::Failed;
                break;
            }
            MSG msg;
            while (!stopped && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    // Leave it for the outer loop, once the job is stopped.
                    quit = true;
                    quitCode = static_cast<int>(msg.wParam);
                    stop_();
                    break;
                }
                if (progress.TakeDialogMessage(msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        if (stopped) end = End::Stopped;
        stop_ = nullptr;
        if (quit) PostQuitMessage(quitCode);
    }
    // The progress window has gone: the main window takes its place.
    EnableWindow(window, TRUE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    return end;
}

}  // namespace wendle
