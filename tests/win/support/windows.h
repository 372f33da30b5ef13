// Driving the real program from outside, as a user would: find its windows
// and controls, type, pick, click, and read what it shows.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace bench {

std::string WindowText(HWND window);
std::string ClassName(HWND window);
// Visible top-level windows of a process, optionally of one class and title.
std::vector<HWND> TopLevelWindows(DWORD processId, const char* className = nullptr);
HWND FindTopLevel(DWORD processId, const char* className, const std::string& title);
std::vector<HWND> Children(HWND parent, const char* className);
RECT WindowRect(HWND window);

// What a message dialog shows: title, message, button captions left to right.
struct DialogView {
    std::string title;
    std::string message;
    std::vector<std::string> buttons;
    RECT outer;
};
DialogView ReadDialog(HWND dialog);
// True when the dialog's icon shows, pixel for pixel, that standard icon.
bool ShowsStandardIcon(HWND dialog, LPCSTR icon);
// Posts a click to the button with that caption; false when there is none.
bool PressButton(HWND dialog, const std::string& caption);
// Posts a key press to the dialog's focused control, as typing it would.
void PressKey(HWND dialog, WPARAM key);
// True once the window's thread has gone back to waiting for messages.
bool Settled(HWND window);
// A list item's text as another program reads it. Wide, as screen readers
// ask: Wine 8 hands an ANSI caller in another process the UTF-16 bytes of an
// owner-drawn list's strings. "(none)" when there is no such item.
std::string ItemText(HWND list, UINT lengthMessage, UINT textMessage, LRESULT index);
// The drive chooser's item texts, top to bottom.
std::vector<std::string> DriveItemTexts(HWND chooser);
// Waits until every drive that has a label or a network name shows it: the
// chooser lists the letters first and reads those after. False at the bound.
bool WaitForDriveTexts(HWND chooser);
// Saves what the screen shows of the window as <build dir>/artifacts/<name>.png,
// for a person to look at; false when it could not be written.
bool SavePicture(HWND window, const std::string& name);

// The drop Explorer sends: the names as UTF-16 in one block of global memory.
HDROP MakeDrop(const std::vector<std::wstring>& names);

// Wendle started by a test in a folder of its choice, closed when done; the
// built program unless the test names a copy.
class Wendle {
  public:
    // The program is the build's wendle.exe unless another copy is named;
    // `arguments` follow its quoted name on the command line as they are.
    explicit Wendle(const std::string& startFolder, const std::string& program = "",
                    const std::string& arguments = "");
    // The same with names that the code page may not write.
    Wendle(const std::wstring& startFolder, const std::wstring& program,
           const std::wstring& arguments);
    ~Wendle();
    Wendle(const Wendle&) = delete;
    Wendle& operator=(const Wendle&) = delete;

    bool Running() const { return main_ != nullptr; }
    DWORD ProcessId() const { return process_.dwProcessId; }
    HWND MainWindow() const { return main_; }
    HWND Control(int id) const { return GetDlgItem(main_, id); }
    std::string Text(int id) const { return WindowText(Control(id)); }
    // What typing into a field gives: the field's text replaced, its change reported.
    void SetText(int id, const std::string& text) const;
    void SelectBitrate(int index) const;
    // Clicks without waiting for the click's work, which may block the program.
    void Click(int id) const;
    // A dialog of this process with that title, once it is shown.
    HWND WaitForDialog(const std::string& title) const;
    bool Exited(DWORD timeoutMs);
    // STILL_ACTIVE until it has ended.
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }
    // Where the program stands now; empty when it cannot be read.
    std::string CurrentDirectory() const;

  private:
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

// The encoder's stand-in: where it reports, whether it holds, how it exits.
struct EncoderDouble {
    std::string reportPath;
    std::vector<std::string> argv;
    std::string commandLine;
    std::string currentDirectory;
    DWORD processId = 0;

    // Read and decode the report; false when there is none.
    bool Read();
};

}  // namespace bench
