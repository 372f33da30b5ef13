#include "win/file_system.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "core/failure.h"
#include "support/bench.h"
#include "support/texts.h"

namespace wendle {
namespace {

// The code of the IoFailure the call raises, 0 when it raises none.
std::uint32_t FailureCode(const std::function<void()>& call) {
    try {
        call();
    } catch (const IoFailure& failure) {
        return failure.code;
    }
    return 0;
}

// Sets the entry's last-write time to local midnight on 1 January of the year.
bool SetWrittenYear(const std::string& path, WORD year) {
    SYSTEMTIME local = {};
    local.wYear = year;
    local.wMonth = 1;
    local.wDay = 1;
    FILETIME localTime;
    FILETIME utc;
    if (!SystemTimeToFileTime(&local, &localTime) || !LocalFileTimeToFileTime(&localTime, &utc)) {
        return false;
    }
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BOOL set = SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(path.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return set && CompareFileTime(&entry.ftLastWriteTime, &utc) == 0;
}

// Each test works in its own fresh folder and puts the current directory back.
class FileSystem : public testing::Test {
  protected:
    void SetUp() override {
        start_ = bench::CurrentDirectory();
        ASSERT_FALSE(start_.empty());
        folder_ = bench::FreshFolder();
        ASSERT_TRUE(bench::WriteFileBytes(folder_ + "\\take1.wav", "RIFF"));
        ASSERT_TRUE(CreateDirectoryA((folder_ + "\\takes").c_str(), nullptr));
    }
    void TearDown() override { SetCurrentDirectoryA(start_.c_str()); }

    std::string start_;
    std::string folder_;
};

TEST_F(FileSystem, FileExistsOnlyForFiles) {
    EXPECT_TRUE(FileExists(folder_ + "\\take1.wav"));
    EXPECT_FALSE(FileExists(folder_ + "\\takes"));
    EXPECT_FALSE(FileExists(folder_ + "\\take2.wav"));
    EXPECT_FALSE(FileExists(folder_ + "\\missing\\take1.wav"));
    // A trailing backslash never names a file, nor a folder here.
    EXPECT_FALSE(FileExists(folder_ + "\\take1.wav\\"));
    EXPECT_FALSE(FileExists(folder_ + "\\takes\\"));
}

TEST_F(FileSystem, FileExistsTakesTheFirstWildcardMatch) {
    EXPECT_TRUE(FileExists(folder_ + "\\*.wav"));
    EXPECT_TRUE(FileExists(folder_ + "\\take?.wav"));
    EXPECT_FALSE(FileExists(folder_ + "\\take?"));  // only the folder matches
    EXPECT_FALSE(FileExists(folder_ + "\\*.mp3"));
    // "." is listed first and is a folder, so the file behind it is never seen.
    EXPECT_FALSE(FileExists(folder_ + "\\*"));
}

TEST_F(FileSystem, FilesOutsideTheDosDateRangeStillExist) {
    const std::string old = folder_ + "\\1975.wav";
    const std::string future = folder_ + "\\2150.wav";
    ASSERT_TRUE(bench::WriteFileBytes(old, "RIFF"));
    ASSERT_TRUE(bench::WriteFileBytes(future, "RIFF"));
    ASSERT_TRUE(SetWrittenYear(old, 1975));
    // Wine converts years past 2107 to DOS dates anyway; Windows refuses them.
    ASSERT_TRUE(SetWrittenYear(future, 2150));
    EXPECT_TRUE(FileExists(old));
    EXPECT_TRUE(FileExists(future));
}

TEST_F(FileSystem, FolderExists) {
    const std::string japanese = folder_ + "\\" + bench::texts::kHyou;
    ASSERT_TRUE(CreateDirectoryA(japanese.c_str(), nullptr));
    EXPECT_TRUE(FolderExists(folder_ + "\\takes"));
    EXPECT_TRUE(FolderExists(folder_ + "\\takes\\"));
    EXPECT_TRUE(FolderExists(japanese));
    EXPECT_TRUE(FolderExists(japanese + "\\"));
    EXPECT_TRUE(FolderExists("C:\\"));
    EXPECT_FALSE(FolderExists(""));
    EXPECT_FALSE(FolderExists(folder_ + "\\take1.wav"));
    EXPECT_FALSE(FolderExists(folder_ + "\\missing"));
}

TEST_F(FileSystem, RelativeNamesResolveAgainstTheCurrentDirectory) {
    ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
    EXPECT_TRUE(FileExists("take1.wav"));
    EXPECT_TRUE(FolderExists("takes"));
    EXPECT_TRUE(CreateFolder("new"));
    EXPECT_TRUE(FolderExists(folder_ + "\\new"));

    ASSERT_TRUE(SetCurrentDirectoryA((folder_ + "\\takes").c_str()));
    EXPECT_FALSE(FileExists("take1.wav"));
    EXPECT_TRUE(FileExists("..\\take1.wav"));
    EXPECT_FALSE(FolderExists("new"));
}

TEST_F(FileSystem, CreateFolderMakesTheLastLevelOnly) {
    const std::string japanese = folder_ + "\\" + bench::texts::kSo;
    EXPECT_TRUE(CreateFolder(japanese));
    EXPECT_TRUE(FolderExists(japanese));
    EXPECT_FALSE(CreateFolder(japanese));
    EXPECT_FALSE(CreateFolder(folder_ + "\\takes"));
    EXPECT_FALSE(CreateFolder(folder_ + "\\take1.wav"));
    EXPECT_FALSE(CreateFolder(folder_ + "\\outer\\inner"));
    EXPECT_FALSE(FolderExists(folder_ + "\\outer"));
}

TEST_F(FileSystem, ReadCurrentDirectoryKeepsTrailBytes5C) {
    for (const char* name : {bench::texts::kHyou, bench::texts::kSo}) {
        const std::string japanese = folder_ + "\\" + name;
        SCOPED_TRACE(bench::Hex(japanese));
        ASSERT_TRUE(CreateDirectoryA(japanese.c_str(), nullptr));
        ASSERT_TRUE(SetCurrentDirectoryA(japanese.c_str()));
        EXPECT_BYTES(japanese, ReadCurrentDirectory());
    }
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    EXPECT_BYTES("C:\\", ReadCurrentDirectory());
}

TEST_F(FileSystem, ChangeCurrentDirectoryMoves) {
    const std::string japanese = folder_ + "\\" + bench::texts::kHyou;
    ASSERT_TRUE(CreateDirectoryA(japanese.c_str(), nullptr));
    EXPECT_EQ(0u, FailureCode([&] { ChangeCurrentDirectory(japanese + "\\"); }));
    EXPECT_BYTES(japanese, bench::CurrentDirectory());
    EXPECT_EQ(0u, FailureCode([] { ChangeCurrentDirectory(".."); }));
    EXPECT_BYTES(folder_, bench::CurrentDirectory());
}

TEST_F(FileSystem, ChangeCurrentDirectoryToARemovedFolderFails) {
    const std::string gone = folder_ + "\\gone";
    ASSERT_TRUE(CreateDirectoryA(gone.c_str(), nullptr));
    ASSERT_TRUE(RemoveDirectoryA(gone.c_str()));
    ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, FailureCode([&] { ChangeCurrentDirectory(gone); }));
    EXPECT_EQ(ERROR_PATH_NOT_FOUND,
              FailureCode([&] { ChangeCurrentDirectory(gone + "\\deeper"); }));
    EXPECT_BYTES(folder_, bench::CurrentDirectory());
}

// Windows says ERROR_NOT_READY for a CD-ROM drive without a disc, Wine says
// ERROR_PATH_NOT_FOUND; either way the failure carries what the system said.
TEST_F(FileSystem, ChangeCurrentDirectoryToADriveThatIsNotReadyFails) {
    ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
    SetLastError(0xdeadbeef);
    ASSERT_FALSE(SetCurrentDirectoryA("X:\\"));
    const DWORD systemCode = GetLastError();
    EXPECT_EQ(systemCode, FailureCode([] { ChangeCurrentDirectory("X:\\"); }));
    EXPECT_NE(0u, systemCode);
    EXPECT_BYTES(folder_, bench::CurrentDirectory());
}

}  // namespace
}  // namespace wendle
