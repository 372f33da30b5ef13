// The Japanese bench that every other Windows test relies on.
#include <gtest/gtest.h>

#include <string>

#include "win/system_rules.h"
#include "support/bench.h"

namespace {

TEST(Bench, IsAJapaneseDoubleByteSystem) {
    EXPECT_EQ(932u, GetACP());
    EXPECT_NE(0, GetSystemMetrics(SM_DBCSENABLED));

    wendle::SetUpPathRules();
    const wendle::PathRules& rules = wendle::SystemPathRules();
    EXPECT_TRUE(rules.DoubleByte());
    std::string expected;
    std::string actual;
    for (int b = 0; b < 256; ++b) {
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) expected += static_cast<char>(b);
        if (rules.IsLeadByte(static_cast<unsigned char>(b))) actual += static_cast<char>(b);
    }
    EXPECT_EQ(bench::Hex(expected), bench::Hex(actual));
}

TEST(Bench, HasTheTestDrives) {
    DWORD drives = GetLogicalDrives();
    for (char drive : std::string("ACNQX")) {
        SCOPED_TRACE(std::string(1, drive) + ":");
        EXPECT_NE(0u, drives & (1u << (drive - 'A')));
    }
    EXPECT_EQ(static_cast<UINT>(DRIVE_FIXED), GetDriveTypeA("C:\\"));
    EXPECT_EQ(static_cast<UINT>(DRIVE_REMOVABLE), GetDriveTypeA("A:\\"));
    EXPECT_EQ(static_cast<UINT>(DRIVE_REMOTE), GetDriveTypeA("N:\\"));
    EXPECT_EQ(static_cast<UINT>(DRIVE_CDROM), GetDriveTypeA("Q:\\"));
    EXPECT_EQ(static_cast<UINT>(DRIVE_CDROM), GetDriveTypeA("X:\\"));
}

TEST(Bench, CdRomQHasItsLabel) {
    char label[MAX_PATH + 1] = {};
    ASSERT_TRUE(
        GetVolumeInformationA("Q:\\", label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0));
    EXPECT_STREQ("WENDLE CD", label);
}

TEST(Bench, CdRomXIsNotReady) {
    const std::string start = bench::CurrentDirectory();
    ASSERT_FALSE(start.empty());
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(SetCurrentDirectoryA("X:\\"));
    // Windows would say ERROR_NOT_READY; Wine finds the drive's missing target.
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
    EXPECT_EQ(start, bench::CurrentDirectory());
}

}  // namespace
