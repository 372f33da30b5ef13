// wendle.exe with one drive slow to answer, as a disk that has gone to sleep
// or a network drive whose server is away: Z:'s label comes after the
// milliseconds in WENDLE_SLOW_DRIVE_MS (5000 when unset), or never for
// "never". Every other question goes to the system.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/program.h"
#include "support/late_label_drives.h"

namespace {

class SlowDrive : public bench::LateLabelDrives {
  protected:
    void HoldLabel(const std::string& root) override {
        if (root == "Z:\\" || root == "z:\\") Sleep(Delay());
    }

  private:
    static DWORD Delay() {
        const char* value = std::getenv("WENDLE_SLOW_DRIVE_MS");
        if (!value) return 5000;
        if (std::string(value) == "never") return INFINITE;
        return static_cast<DWORD>(std::strtoul(value, nullptr, 10));
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Never destroyed: the reading thread may still ask it while the program ends.
    static SlowDrive& slowDrive = *new SlowDrive;
    return wendle::RunProgram(instance, slowDrive);
}
