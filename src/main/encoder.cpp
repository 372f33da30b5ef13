#include "main/encoder.h"

#include <vector>

#include "win/system_library.h"
#include "win/system_rules.h"

namespace wendle {

namespace {

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

}  // namespace

Encoder::Encoder() : reader_(SystemPathRules()) {}

Encoder::~Encoder() {
    Stop();
    Close(process_);
    Close(output_);
}

bool Encoder::Start(const std::string& commandLine) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE write = nullptr;
    // Room for minutes of progress records if the loop is ever held up.
    if (!CreatePipe(&output_, &write, &inherit, 1 << 16)) return false;
    SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
    HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               OPEN_EXISTING, 0, nullptr);
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

bool Encoder::Read() {
    bool changed = false;
    char buffer[4096];
    DWORD ready = 0, got = 0;
    while (
        output_ && PeekNamedPipe(output_, nullptr, 0, nullptr, &ready, nullptr) && ready > 0 &&
        ReadFile(output_, buffer, ready < sizeof buffer ? ready : sizeof buffer, &got, nullptr) &&
        got > 0) {
        changed = reader_.Take(buffer, got) || changed;
    }
    return changed;
}

void Encoder::Stop() {
    if (!process_ || WaitForSingleObject(process_, 0) != WAIT_TIMEOUT) return;
    TerminateProcess(process_, 1);
    // Its files are closed only once it has gone.
    WaitForSingleObject(process_, 10000);
}

bool Encoder::ExitedWell() const {
    DWORD exitCode = 1;
    return process_ && GetExitCodeProcess(process_, &exitCode) && exitCode == 0;
}

}  // namespace wendle
