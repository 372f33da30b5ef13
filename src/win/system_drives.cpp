#include "win/system_drives.h"

#include <windows.h>
#include <winnetwk.h>

#include <cwchar>

#include "win/critical_errors_quiet.h"
#include "win/system_library.h"
#include "win/system_names.h"
#include "win/system_rules.h"

namespace wendle {

static_assert(kDriveRemovable == DRIVE_REMOVABLE && kDriveFixed == DRIVE_FIXED &&
              kDriveRemote == DRIVE_REMOTE && kDriveCdRom == DRIVE_CDROM &&
              kDriveRamDisk == DRIVE_RAMDISK && kDriveNoRoot == DRIVE_NO_ROOT_DIR);

namespace {

// Volume names and remote names are read into buffers of this size.
constexpr DWORD kNameBuffer = 261;

// Read wide and shown with "?" for what the code page cannot write, never a
// look-alike.
std::string FromBuffer(const wchar_t* buffer) {
    return NarrowShownText(FromWide(buffer, wcsnlen(buffer, kNameBuffer)), '?');
}

class SystemDriveQueries : public DriveQueries {
  public:
    std::uint32_t LogicalDrives() override { return GetLogicalDrives(); }

    unsigned DriveType(const std::string& root) override { return GetDriveTypeA(root.c_str()); }

    std::string VolumeLabel(const std::string& root) override {
        wchar_t name[kNameBuffer] = {};
        CriticalErrorsQuiet quiet;
        BOOL ok = GetVolumeInformationW(ToWide(WideFromAnsi(root)).data(), name, kNameBuffer,
                                        nullptr, nullptr, nullptr, nullptr, 0);
        return ok ? FromBuffer(name) : std::string();
    }

    bool Connection(const std::string& device, std::string* remote) override {
        // Looked up when asked, on the thread that asks: a network drive is
        // rarely listed, and a function static would need a lock.
        const auto getConnection =
            SystemFunction<decltype(&WNetGetConnectionW)>("mpr.dll", "WNetGetConnectionW");
        if (!getConnection) return false;
        wchar_t name[kNameBuffer] = {};
        DWORD length = kNameBuffer;
        if (getConnection(ToWide(WideFromAnsi(device)).data(), name, &length) != NO_ERROR)
            return false;
        *remote = FromBuffer(name);
        return true;
    }

    std::string LowerCase(const std::string& text) override { return LowerFileName(text); }
    std::string UpperCase(const std::string& text) override { return UpperFileName(text); }
};

// Never destroyed: the reading thread may still ask while the program ends.
SystemDriveQueries& systemDrives = *new SystemDriveQueries;

}  // namespace

DriveQueries& SystemDrives() {
    return systemDrives;
}

}  // namespace wendle
