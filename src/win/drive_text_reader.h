// Reads the drive items' full texts on a system thread, one drive at a time,
// so that a drive that waits for its medium or its server keeps only its own
// item waiting, never the window. Each answer is posted to the window; the
// thread never touches a window's state. The thread begins once the window's
// thread gets to its messages: by then the window is made and shown, and the
// questions do not compete with its start.
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
    // as the program) for each item's full text. The reader posts the window
    // `message`, each to be passed to Receive: first the one that begins the
    // reading, then one per answer.
    void Start(DriveQueries& system, const std::vector<DriveItem>& items, HWND window,
               UINT message);
    // Never waits for the thread: an answer it finds later is dropped.
    void Stop();
    // Begins the reading, or gives a posted answer's item and text (true);
    // false for a message of a reading stopped since.
    bool Receive(WPARAM wParam, LPARAM lParam, std::size_t* index, std::string* text);

    struct Reading;

  private:
    void Begin();

    Reading* reading_ = nullptr;
    WPARAM serial_ = 0;
};

}  // namespace wendle
