#include "win/drive_text_reader.h"

#include <new>
#include <utility>

namespace wendle {

// Shared by the reader and its thread; the last of the two to let go frees it.
struct DriveTextReader::Reading {
    Reading(DriveQueries& queries, const std::vector<DriveItem>& listed, HWND target, UINT posted,
            WPARAM number)
        : system(queries),
          items(listed),
          window(target),
          message(posted),
          serial(number),
          answers(listed.size()) {
        InitializeCriticalSection(&lock);
    }
    ~Reading() { DeleteCriticalSection(&lock); }
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;

    void Release() {
        if (InterlockedDecrement(&holders) == 0) delete this;
    }

    DriveQueries& system;
    const std::vector<DriveItem> items;
    const HWND window;
    const UINT message;
    const WPARAM serial;
    LONG holders = 1;
    CRITICAL_SECTION lock;
    // Guarded by the lock.
    std::vector<std::string> answers;
    bool stopped = false;
};

namespace {

using Reading = DriveTextReader::Reading;

class Locked {
  public:
    explicit Locked(CRITICAL_SECTION& lock) : lock_(lock) { EnterCriticalSection(&lock_); }
    ~Locked() { LeaveCriticalSection(&lock_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

  private:
    CRITICAL_SECTION& lock_;
};

bool Stopped(Reading& reading) {
    Locked locked(reading.lock);
    return reading.stopped;
}

// An answer is posted only while the reading goes on, under the lock that
// Stop takes: once stopped, the window is never posted to again, even if it
// is gone.
DWORD WINAPI ReadTexts(void* parameter) {
    Reading& reading = *static_cast<Reading*>(parameter);
    try {
        for (std::size_t i = 0; i < reading.items.size() && !Stopped(reading); ++i) {
            std::string text = FullDriveText(reading.system, reading.items[i]);
            if (text == reading.items[i].text) continue;
            Locked locked(reading.lock);
            if (reading.stopped) break;
            reading.answers[i] = std::move(text);
            PostMessageA(reading.window, reading.message, reading.serial, static_cast<LPARAM>(i));
        }
    } catch (const std::bad_alloc&) {
        // The items not answered yet keep their letters.
    }
    reading.Release();
    return 0;
}

}  // namespace

void DriveTextReader::Start(DriveQueries& system, const std::vector<DriveItem>& items, HWND window,
                            UINT message) {
    Stop();
    reading_ = new Reading(system, items, window, message, ++serial_);
    if (!SetTimer(window, TimerId(), USER_TIMER_MINIMUM, &BeginOnTimer)) Begin();
}

UINT_PTR DriveTextReader::TimerId() const {
    return reinterpret_cast<UINT_PTR>(this);
}

void CALLBACK DriveTextReader::BeginOnTimer(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    reinterpret_cast<DriveTextReader*>(id)->Begin();
}

void DriveTextReader::Begin() {
    if (!reading_) return;
    InterlockedIncrement(&reading_->holders);
    // Never waited for nor joined: ending the program must not wait for a drive.
    HANDLE thread = CreateThread(nullptr, 0, &ReadTexts, reading_, 0, nullptr);
    if (thread) {
        CloseHandle(thread);
    } else {
        // No thread to be had: the answers are read here, and still posted.
        ReadTexts(reading_);
    }
}

void DriveTextReader::Stop() {
    if (!reading_) return;
    KillTimer(reading_->window, TimerId());
    {
        Locked locked(reading_->lock);
        reading_->stopped = true;
    }
    reading_->Release();
    reading_ = nullptr;
}

bool DriveTextReader::Take(WPARAM wParam, LPARAM lParam, std::size_t* index,
                           std::string* text) const {
    if (!reading_ || wParam != reading_->serial) return false;
    const auto i = static_cast<std::size_t>(lParam);
    if (i >= reading_->items.size()) return false;
    Locked locked(reading_->lock);
    *index = i;
    *text = reading_->answers[i];
    return true;
}

}  // namespace wendle
