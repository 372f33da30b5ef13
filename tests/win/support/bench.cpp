#include "support/bench.h"

#include <cmath>

#include <gtest/gtest.h>

#include <cstdio>

#include "common/tag_bytes.h"

namespace bench {

namespace {

// Wide and \\?\-prefixed: a test may leave folders deeper than MAX_PATH.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

std::wstring Wide(const std::string& bytes) {
    std::wstring wide(bytes.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                      &wide[0], static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(n));
    return wide;
}

std::string ProgramDir() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of('\\'));
}

std::string FreshFolder(const std::string& leaf) {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string folder = "C:\\wendle-tests";
    CreateDirectoryA(folder.c_str(), nullptr);
    if (info) {
        folder += std::string("\\") + info->test_suite_name() + "." + info->name();
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    if (!leaf.empty()) folder += "\\" + leaf;
    RemoveTree(L"\\\\?\\" + Wide(folder));
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    return WriteFileBytes(Wide(path), bytes);
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

bool ReadFileBytes(const std::string& path, std::string* bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes->clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes->append(buffer, got);
    }
    CloseHandle(file);
    return true;
}

bool CopyProgram(const std::string& fromName, const std::string& toPath) {
    return CopyFileA((ProgramDir() + "\\" + fromName).c_str(), toPath.c_str(), FALSE) != 0;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string CurrentDirectory() {
    char path[MAX_PATH];
    const DWORD n = GetCurrentDirectoryA(MAX_PATH, path);
    return std::string(path, n < MAX_PATH ? n : 0);
}

namespace {

void PutLittleEndian(std::string& bytes, unsigned value, int size) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string Wave(unsigned channels, unsigned rate, unsigned milliseconds) {
    const unsigned frames = static_cast<unsigned>(1ull * rate * milliseconds / 1000);
    const unsigned dataSize = frames * channels * 2;
    std::string bytes = "RIFF";
    PutLittleEndian(bytes, 36 + dataSize, 4);
    bytes += "WAVEfmt ";
    PutLittleEndian(bytes, 16, 4);
    PutLittleEndian(bytes, 1, 2);  // PCM
    PutLittleEndian(bytes, channels, 2);
    PutLittleEndian(bytes, rate, 4);
    PutLittleEndian(bytes, rate * channels * 2, 4);
    PutLittleEndian(bytes, channels * 2, 2);
    PutLittleEndian(bytes, 16, 2);
    bytes += "data";
    PutLittleEndian(bytes, dataSize, 4);
    bytes.reserve(bytes.size() + dataSize);
    for (unsigned frame = 0; frame < frames; ++frame) {
        const double phase = 2 * 3.14159265358979 * 440 * frame / rate;
        const int sample = static_cast<int>(std::lround(12000 * std::sin(phase)));
        for (unsigned channel = 0; channel < channels; ++channel) {
            PutLittleEndian(bytes, static_cast<unsigned>(sample) & 0xFFFF, 2);
        }
    }
    return bytes;
}

std::string WithInfo(const std::string& wave,
                     const std::vector<std::pair<std::string, std::string>>& items) {
    std::string list = "INFO";
    for (const auto& item : items) {
        std::string value = item.second + '\0';
        list += item.first + LittleEndian(value.size());
        if (value.size() % 2) value += '\0';
        list += value;
    }
    std::string bytes = wave + "LIST" + LittleEndian(list.size()) + list;
    return bytes.replace(4, 4, LittleEndian(bytes.size() - 8));
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return condition();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

HelperThread::HelperThread(std::function<void()> work) : work_(std::move(work)) {
    handle_ = CreateThread(nullptr, 0, &HelperThread::Run, this, 0, nullptr);
    // Without a thread the work runs here: a test then fails instead of hanging.
    if (!handle_) work_();
}

void HelperThread::Join() {
    if (!handle_) return;
    WaitForSingleObject(handle_, INFINITE);
    CloseHandle(handle_);
    handle_ = nullptr;
}

DWORD WINAPI HelperThread::Run(void* self) {
    static_cast<HelperThread*>(self)->work_();
    return 0;
}

}  // namespace bench
