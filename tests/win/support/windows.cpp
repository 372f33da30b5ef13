#include "support/windows.h"

#include <shlobj.h>
#include <winternl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include "core/drive_items.h"
#include "main/main_ids.h"
#include "support/bench.h"
#include "wine_host.h"

namespace bench {

std::string WindowText(HWND window) {
    char text[4096];
    LRESULT n = SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return std::string(text, static_cast<std::size_t>(n));
}

std::string ClassName(HWND window) {
    char name[256];
    int n = GetClassNameA(window, name, sizeof name);
    return std::string(name, n > 0 ? static_cast<std::size_t>(n) : 0);
}

namespace {

struct Search {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) &&
        (!search->className || ClassName(window) == search->className)) {
        search->found.push_back(window);
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const char* className) {
    Search search{processId, className, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevel(DWORD processId, const char* className, const std::string& title) {
    for (HWND window : TopLevelWindows(processId, className)) {
        if (WindowText(window) == title) return window;
    }
    return nullptr;
}

std::vector<HWND> Children(HWND parent, const char* className) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!className || _stricmp(ClassName(child).c_str(), className) == 0)
            found.push_back(child);
    }
    return found;
}

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

DialogView ReadDialog(HWND dialog) {
    DialogView view;
    view.title = WindowText(dialog);
    view.outer = WindowRect(dialog);
    std::vector<HWND> buttons = Children(dialog, "Button");
    std::sort(buttons.begin(), buttons.end(),
              [](HWND a, HWND b) { return WindowRect(a).left < WindowRect(b).left; });
    for (HWND button : buttons) view.buttons.push_back(WindowText(button));
    for (HWND label : Children(dialog, "Static")) {
        std::string text = WindowText(label);
        if (text.size() > view.message.size()) view.message = text;
    }
    return view;
}

namespace {

// The 32 x 32 pixels at a screen point, as the user sees them.
std::vector<COLORREF> Pixels(HDC from, int x, int y) {
    HDC memory = CreateCompatibleDC(from);
    HBITMAP bitmap = CreateCompatibleBitmap(from, 32, 32);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, 32, 32, from, x, y, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int row = 0; row < 32; ++row) {
        for (int column = 0; column < 32; ++column) {
            pixels.push_back(GetPixel(memory, column, row));
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

}  // namespace

bool ShowsStandardIcon(HWND dialog, LPCSTR icon) {
    HWND control = nullptr;
    for (HWND label : Children(dialog, "Static")) {
        if (GetWindowLongA(label, GWL_STYLE) & SS_ICON) control = label;
    }
    if (!control) return false;
    HDC screen = GetDC(nullptr);
    // The standard icon drawn here on the dialog's face, against the screen.
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all = {0, 0, 32, 32};
    FillRect(memory, &all, GetSysColorBrush(COLOR_BTNFACE));
    DrawIconEx(memory, 0, 0, LoadIconA(nullptr, icon), 32, 32, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> expected = Pixels(memory, 0, 0);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    bool same = WaitUntil(
        [&] {
            RECT r = WindowRect(control);
            return Pixels(screen, r.left, r.top) == expected;
        },
        5000);
    ReleaseDC(nullptr, screen);
    return same;
}

bool PressButton(HWND dialog, const std::string& caption) {
    for (HWND button : Children(dialog, "Button")) {
        if (WindowText(button) == caption) {
            PostMessageA(button, BM_CLICK, 0, 0);
            return true;
        }
    }
    return false;
}

void PressKey(HWND dialog, WPARAM key) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND target = dialog;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus) {
        target = info.hwndFocus;
    }
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

bool Settled(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &result) != 0;
}

std::string ItemText(HWND list, UINT lengthMessage, UINT textMessage, LRESULT index) {
    const LRESULT length = SendMessageW(list, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) return "(none)";
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&wide[0]));
    char bytes[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

std::vector<std::string> DriveItemTexts(HWND chooser) {
    std::vector<std::string> texts;
    const LRESULT count = SendMessageA(chooser, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        texts.push_back(ItemText(chooser, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    }
    return texts;
}

bool WaitForDriveTexts(HWND chooser) {
    return WaitUntil([&] {
        const std::vector<std::string> texts = DriveItemTexts(chooser);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            // A removable drive shows its letter only; any other its letter and more.
            const auto picture = static_cast<wendle::DrivePicture>(
                SendMessageA(chooser, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
            if (picture != wendle::DrivePicture::Floppy && texts[i].size() <= 2) return false;
        }
        return !texts.empty();
    });
}

bool SavePicture(HWND window, const std::string& name) {
    // Each Wine process paints its own windows: only the X display has the
    // picture, so the display's own screenshot tool takes it.
    const bridge::WineHost host;
    if (!host.Available()) return false;
    const std::string folder = ProgramDir() + "\\..\\artifacts";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + name + ".png";
    DeleteFileA(path.c_str());
    const RECT r = WindowRect(window);
    const std::string crop = std::to_string(r.right - r.left) + "x" +
                             std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) + "+" +
                             std::to_string(r.top);
    return host.Run({"import", "-window", "root", "-crop", crop, "+repage",
                     host.HostPath(bridge::AnsiToUtf8(path))}) == 0 &&
           GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

HDROP MakeDrop(const std::vector<std::wstring>& names) {
    std::wstring list;
    for (const std::wstring& name : names) list += name + L'\0';
    list += L'\0';
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                                 sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// The build's wendle.exe, copied to a folder with no oggenc.exe beside it:
// the run command puts the bridge beside the built one, and the encoder
// beside the program comes before the start folder's.
static std::wstring TestedProgram() {
    static const std::wstring copy = [] {
        const std::string folder = "C:\\wendle-tests\\program";
        CreateDirectoryA("C:\\wendle-tests", nullptr);
        CreateDirectoryA(folder.c_str(), nullptr);
        EXPECT_TRUE(CopyProgram("wendle.exe", folder + "\\wendle.exe"));
        return Wide(folder + "\\wendle.exe");
    }();
    return copy;
}

Wendle::Wendle(const std::string& startFolder, const std::string& program,
               const std::string& arguments)
    : Wendle(Wide(startFolder), Wide(program), Wide(arguments)) {}

Wendle::Wendle(const std::wstring& startFolder, const std::wstring& programPath,
               const std::wstring& arguments) {
    const std::wstring program = programPath.empty() ? TestedProgram() : programPath;
    std::wstring line = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // Wide: a start folder may be longer than the ANSI functions take.
    if (!CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                        startFolder.c_str(), &startup, &process_)) {
        ADD_FAILURE_AT(__FILE__, __LINE__) << "CreateProcessW: error " << GetLastError();
        return;
    }
    WaitForInputIdle(process_.hProcess, 15000);
    WaitUntil([&] {
        for (HWND window : TopLevelWindows(process_.dwProcessId, wendle::kMainWindowClass)) {
            main_ = window;
        }
        return main_ != nullptr;
    });
}

Wendle::~Wendle() {
    if (process_.hProcess) {
        // Close whatever dialog is left, then the main window.
        for (int round = 0; round < 5 && !Exited(0); ++round) {
            for (HWND window : TopLevelWindows(process_.dwProcessId)) {
                if (window != main_) PostMessageA(window, WM_CLOSE, 0, 0);
            }
            if (main_) PostMessageA(main_, WM_CLOSE, 0, 0);
            if (Exited(3000)) break;
        }
        if (!Exited(0)) TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool Wendle::Exited(DWORD timeoutMs) {
    return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::string Wendle::CurrentDirectory() const {
    // Read from the process's parameters, where Windows keeps it: after the
    // sizes and flags, the console and the three standard handles.
    PROCESS_BASIC_INFORMATION basic{};
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    if (NtQueryInformationProcess(process_.hProcess, ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) != 0 ||
        !ReadProcessMemory(process_.hProcess, basic.PebBaseAddress, &peb, sizeof peb, nullptr) ||
        !ReadProcessMemory(process_.hProcess, peb.ProcessParameters, &parameters, sizeof parameters,
                           nullptr)) {
        return "";
    }
    UNICODE_STRING dosPath{};
    static_assert(sizeof parameters.Reserved2 >= 5 * sizeof(void*) + sizeof dosPath, "");
    std::memcpy(&dosPath, &parameters.Reserved2[5], sizeof dosPath);
    std::wstring wide(dosPath.Length / sizeof(wchar_t), L'\0');
    if (!ReadProcessMemory(process_.hProcess, dosPath.Buffer, &wide[0], dosPath.Length, nullptr)) {
        return "";
    }
    // Kept with a trailing backslash, which GetCurrentDirectory shows only on a root.
    if (wide.size() > 3 && wide.back() == L'\\') wide.pop_back();
    char path[MAX_PATH * 2];
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), path,
                                      sizeof path, nullptr, nullptr);
    return std::string(path, n > 0 ? static_cast<std::size_t>(n) : 0);
}

void Wendle::SetText(int id, const std::string& text) const {
    SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Wendle::SelectBitrate(int index) const {
    HWND bitrate = Control(wendle::kBitrateListId);
    SendMessageA(bitrate, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Wendle::Click(int id) const {
    PostMessageA(Control(id), BM_CLICK, 0, 0);
}

HWND Wendle::WaitForDialog(const std::string& title) const {
    HWND dialog = nullptr;
    WaitUntil([&] {
        dialog = FindTopLevel(process_.dwProcessId, nullptr, title);
        return dialog != nullptr;
    });
    return dialog;
}

namespace {

std::string Unhex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::strtol(hex.substr(i, 2).c_str(), nullptr, 16));
    }
    return bytes;
}

}  // namespace

bool EncoderDouble::Read() {
    std::string report;
    if (!ReadFileBytes(reportPath, &report) || report.empty()) return false;
    argv.clear();
    std::size_t start = 0;
    while (start < report.size()) {
        std::size_t end = report.find('\n', start);
        if (end == std::string::npos) end = report.size();
        std::string line = report.substr(start, end - start);
        std::size_t blank = line.find(' ');
        std::string key = line.substr(0, blank);
        std::string value = blank == std::string::npos ? "" : Unhex(line.substr(blank + 1));
        if (key == "command") commandLine = value;
        if (key == "argv") argv.push_back(value);
        if (key == "cwd") currentDirectory = value;
        if (key == "pid") processId = static_cast<DWORD>(std::strtoul(value.c_str(), nullptr, 10));
        start = end + 1;
    }
    return true;
}

}  // namespace bench
