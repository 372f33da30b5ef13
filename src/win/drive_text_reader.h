// Reads the drive items' full texts on a system thread, one drive at a time,
// so that a drive that waits for its medium or its server keeps only its own
// item waiting, never the window. Each answer is posted to the window; the
// thread never touches a window's state. The thread begins once the window's
// thread has nothing else to do (a timer's message comes only then): the
// window is made, shown and painted first, and the questions and their
// answers do not compete with its start.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/drive_items.h"

namespace wendle {

class DriveTextReader {
  public:
    DriveTextReader() = default;
    ~DriveTextReader() { Stop(); }
    DriveTextReader(const DriveTextReader&) = delete;
    DriveTextReader& operator=(const DriveTextReader&) = delete;

    // Stops the reading before, then asks `system` (which must live as long
    // as the program) for each item's full text. Each answer is posted to the
    // window as `message`, to be passed to Take.
    void Start(DriveQueries& system, const std::vector<DriveItem>& items, HWND window,
               UINT message);
    // Never waits for the thread: an answer it finds later is dropped.
    void Stop();
    // The item and text of a posted answer; false for an answer of a reading
    // stopped since.
    bool Take(WPARAM wParam, LPARAM lParam, std::size_t* index, std::string* text) const;

    struct Reading;

  private:
    // The timer that begins the reading is the window's, named by the reader.
    UINT_PTR TimerId() const;
    static void CALLBACK BeginOnTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
    void Begin();

    Reading* reading_ = nullptr;
    WPARAM serial_ = 0;
};

}  // namespace wendle
