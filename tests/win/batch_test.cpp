// A batch through the real program, with the encoder's stand-in: the ways in,
// the look before it, and what the encoders get and leave.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dialog_watch.h"
#include "dialogs/batch_ids.h"
#include "dialogs/progress_ids.h"
#include "main/main_ids.h"
#include "support/bench.h"
#include "support/encode_fixture.h"
#include "support/made_main_window.h"
#include "support/texts.h"
#include "support/windows.h"

namespace {

using namespace wendle;
namespace texts = bench::texts;

// The look before the batch as the user reads it.
struct BatchLook {
    std::vector<std::string> items;  // file, title and output, tab-separated
    std::string folder, bitrate, count, leftOut;
    bool startEnabled = false;
};

BatchLook ReadBatchWindow(HWND window) {
    BatchLook look;
    HWND list = GetDlgItem(window, kBatchListId);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        // Wide: Wine hands another process's ANSI list item over cut short.
        std::vector<wchar_t> buffer(SendMessageW(list, LB_GETTEXTLEN, i, 0) + 1);
        const LRESULT n =
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
        char bytes[1024];
        const int length =
            WideCharToMultiByte(CP_ACP, 0, buffer.data(), static_cast<int>(n > 0 ? n : 0), bytes,
                                sizeof bytes, nullptr, nullptr);
        look.items.emplace_back(bytes, static_cast<std::size_t>(length));
    }
    auto text = [&](int id) { return bench::WindowText(GetDlgItem(window, id)); };
    look.folder = text(kBatchFolderId);
    look.bitrate = text(kBatchBitrateId);
    look.count = text(kBatchCountId);
    look.leftOut = text(kBatchLeftOutId);
    look.startEnabled = IsWindowEnabled(GetDlgItem(window, kBatchStartId)) != FALSE;
    return look;
}

std::string Item(const std::string& file, const std::string& title, const std::string& output) {
    return file + "\t" + title + "\t" + output;
}

// One run of the encoder's stand-in, as it logged itself.
struct EncoderRun {
    std::vector<std::string> argv;
    std::string cwd;
    long long start = 0, end = -1;  // the performance counter; -1 while it runs
    bool Outputs(const std::string& name) const {
        return std::find(argv.begin(), argv.end(), "-n" + name) != argv.end();
    }
};

std::vector<EncoderRun> ReadRuns(const std::string& folder) {
    std::vector<EncoderRun> runs;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*.txt").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return runs;
    do {
        std::string log;
        if (!bench::ReadFileBytes(folder + "\\" + entry.cFileName, &log)) continue;
        bench::EncoderDouble report;
        report.reportPath = folder + "\\" + entry.cFileName;
        report.Read();
        EncoderRun run;
        run.argv = report.argv;
        run.cwd = report.currentDirectory;
        const std::size_t start = log.find("\nstart "), end = log.find("\nend ");
        if (start != std::string::npos) run.start = std::atoll(log.c_str() + start + 7);
        if (end != std::string::npos) run.end = std::atoll(log.c_str() + end + 5);
        runs.push_back(run);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return runs;
}

// The most runs that were under way at one moment.
int MostAtOnce(const std::vector<EncoderRun>& runs) {
    std::vector<std::pair<long long, int>> events;
    for (const EncoderRun& run : runs) {
        events.emplace_back(run.start, 1);
        events.emplace_back(run.end, -1);
    }
    // An end before a start at the same moment.
    std::sort(events.begin(), events.end());
    int now = 0, most = 0;
    for (const auto& event : events) most = std::max(most, now += event.second);
    return most;
}

int Processors() {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return static_cast<int>(system.dwNumberOfProcessors);
}

class Batch : public bench::EncodeFixture {
  protected:
    void SetUp() override {
        EncodeFixture::SetUp();
        log_ = root_ + "\\log";
        CreateDirectoryA(log_.c_str(), nullptr);
        SetEnvironmentVariableA("WENDLE_DOUBLE_LOG", log_.c_str());
        hold_ = CreateEventA(nullptr, TRUE, FALSE, "WendleBatchHold");
    }
    void TearDown() override {
        SetEvent(hold_);
        CloseHandle(hold_);
        for (const char* name :
             {"WENDLE_DOUBLE_LOG", "WENDLE_DOUBLE_QUICK", "WENDLE_DOUBLE_FAIL"}) {
            SetEnvironmentVariableA(name, nullptr);
        }
        EncodeFixture::TearDown();
    }

    // Holds every run but the quick one until Release.
    void Hold() const { SetEnvironmentVariableA("WENDLE_DOUBLE_HOLD", "WendleBatchHold"); }
    void Release() const { SetEvent(hold_); }

    // Presses 開始 in the look before the batch.
    static void Start(const bench::Wendle& wendle) {
        HWND look = wendle.WaitForDialog(texts::kBatchCaption);
        ASSERT_NE(nullptr, look) << "no look before the batch";
        ASSERT_TRUE(bench::PressButton(look, texts::kBatchStart));
    }

    HWND Progress(const bench::Wendle& wendle) const {
        return bench::FindTopLevel(wendle.ProcessId(), kProgressWindowClass,
                                   texts::kProgressCaption);
    }

    // Once `runs` encoders have run and ended, the main window is back.
    std::vector<EncoderRun> WaitForTheEnd(const bench::Wendle& wendle, std::size_t runs) const {
        std::vector<EncoderRun> logged;
        EXPECT_TRUE(bench::WaitUntil(
            [&] {
                logged = ReadRuns(log_);
                return logged.size() == runs &&
                       std::all_of(logged.begin(), logged.end(),
                                   [](const EncoderRun& run) { return run.end >= 0; }) &&
                       IsWindowVisible(wendle.MainWindow()) &&
                       IsWindowEnabled(wendle.MainWindow()) && !Progress(wendle);
            },
            60000))
            << logged.size() << " runs logged";
        return logged;
    }

    std::string log_;
    HANDLE hold_ = nullptr;

    // WAVE files in the wave folder; their full paths.
    std::vector<std::string> Waves(const std::vector<std::string>& names, unsigned ms = 100) {
        std::vector<std::string> paths;
        for (const std::string& name : names) {
            paths.push_back(wave_ + "\\" + name);
            EXPECT_TRUE(bench::WriteFileBytes(paths.back(), bench::Wave(1, 8000, ms)));
        }
        return paths;
    }

    static std::string Arguments(const std::vector<std::string>& paths) {
        std::string line;
        for (const std::string& path : paths) line += (line.empty() ? "\"" : " \"") + path + "\"";
        return line;
    }
};

TEST_F(Batch, FileArgumentsAreListedInNameOrderAndNothingRunsBeforeStart) {
    std::vector<std::string> paths = Waves({"b.wav", "a.wav"});
    const std::string notes = wave_ + "\\notes.wav";
    ASSERT_TRUE(bench::WriteFileBytes(notes, "not a wave file"));
    paths.push_back(notes);
    paths.push_back(wave_ + "\\missing.wav");
    bench::Wendle wendle(out_, "", Arguments(paths));
    ASSERT_TRUE(wendle.Running());
    HWND window = wendle.WaitForDialog(texts::kBatchCaption);
    ASSERT_NE(nullptr, window) << "no look before the batch";
    EXPECT_EQ(wendle.MainWindow(), GetWindow(window, GW_OWNER));
    const BatchLook look = ReadBatchWindow(window);
    ASSERT_EQ(2u, look.items.size());
    EXPECT_BYTES(Item("a.wav", "a", "a.ogg"), look.items[0]);
    EXPECT_BYTES(Item("b.wav", "b", "b.ogg"), look.items[1]);
    EXPECT_BYTES(std::string(texts::kOutputFolderPrefix) + out_, look.folder);
    EXPECT_BYTES(std::string(texts::kBitratePrefix) + " 160 kbps ( Default )", look.bitrate);
    EXPECT_BYTES(std::string("2") + texts::kFilesToEncode, look.count);
    EXPECT_BYTES(std::string(texts::kLeftOutPrefix) + "2" + texts::kPieces + " (" +
                     texts::kNotWave + "1" + texts::kPieces + texts::kListSeparator +
                     texts::kNotFound + "1" + texts::kPieces + ")",
                 look.leftOut);
    EXPECT_TRUE(look.startEnabled);
    EXPECT_TRUE(bench::ReadDialog(window).buttons ==
                (std::vector<std::string>{texts::kBatchStart, texts::kCancelAnswer}));

    bench::PressKey(window, VK_ESCAPE);
    EXPECT_TRUE(bench::WaitUntil([&] { return !IsWindow(window); }));
    EXPECT_TRUE(bench::Settled(wendle.MainWindow()));
    EXPECT_FALSE(bench::Exists(encoder_.reportPath)) << "the encoder ran";
    EXPECT_FALSE(bench::Exists(out_ + "\\a.ogg"));
    EXPECT_EQ("", wendle.Text(kInputFileNameId));
}

// Each file its own title and output name, a later one of the same name
// numbered; as many encoders at once as there are processors, never more.
TEST_F(Batch, StartEncodesEachFileOnEveryProcessor) {
    std::vector<std::string> paths = Waves({"b.wav", "a.wav"});
    const std::string other = root_ + "\\other";
    CreateDirectoryA(other.c_str(), nullptr);
    paths.push_back(other + "\\a.wav");
    ASSERT_TRUE(bench::WriteFileBytes(paths.back(), bench::Wave(1, 8000, 300)));
    Hold();
    bench::Wendle wendle(start_, "", Arguments(paths));
    Start(wendle);
    const std::size_t atOnce = std::min<std::size_t>(3, static_cast<std::size_t>(Processors()));
    ASSERT_TRUE(bench::WaitUntil([&] { return ReadRuns(log_).size() == atOnce; }));
    EXPECT_FALSE(IsWindowVisible(wendle.MainWindow()));
    Release();
    const std::vector<EncoderRun> runs = WaitForTheEnd(wendle, 3);
    EXPECT_LE(MostAtOnce(runs), Processors());
    EXPECT_GE(MostAtOnce(runs), std::min(Processors(), 2));
    const struct {
        std::string input, title, output;
    } expected[] = {
        {paths[1], "a", "a.ogg"}, {paths[0], "b", "b.ogg"}, {paths[2], "a", "a (2).ogg"}};
    for (const auto& file : expected) {
        SCOPED_TRACE(file.output);
        EXPECT_TRUE(bench::Exists(start_ + "\\" + file.output));
        const auto run = std::find_if(runs.begin(), runs.end(),
                                      [&](const EncoderRun& r) { return r.Outputs(file.output); });
        ASSERT_NE(runs.end(), run);
        EXPECT_EQ((std::vector<std::string>{start_ + "\\oggenc.exe", "-b160", "-t" + file.title,
                                            "-n" + file.output, file.input}),
                  run->argv);
        EXPECT_BYTES(start_, run->cwd);
    }
    EXPECT_EQ(nullptr, bench::FindTopLevel(wendle.ProcessId(), nullptr, texts::kErrorTitle));
}

// One question for the outputs that exist: はい overwrites them, いいえ
// leaves them and their inputs, キャンセル runs nothing.
TEST_F(Batch, EachAnswerToTheExistingFileQuestion) {
    const std::vector<std::string> paths = Waves({"a.wav", "b.wav"});
    for (const char* answer : {texts::kYes, texts::kNo, texts::kCancelAnswer}) {
        SCOPED_TRACE(bench::Hex(answer));
        for (const char* name : {"\\a.ogg", "\\b.ogg"}) DeleteFileA((start_ + name).c_str());
        bench::FreshFolder("log");
        ASSERT_TRUE(bench::WriteFileBytes(start_ + "\\a.ogg", "old"));
        bench::Wendle wendle(start_, "", Arguments(paths));
        Start(wendle);
        HWND question = wendle.WaitForDialog(texts::kConfirmTitle);
        ASSERT_NE(nullptr, question);
        const bench::DialogView view = bench::ReadDialog(question);
        EXPECT_BYTES(std::string(texts::kExistingPrefix) + "1" + texts::kExistingSuffix,
                     view.message);
        EXPECT_EQ((std::vector<std::string>{texts::kYes, texts::kNo, texts::kCancelAnswer}),
                  view.buttons);
        ASSERT_TRUE(bench::PressButton(question, answer));
        const std::string a = answer;
        const std::vector<EncoderRun> runs = WaitForTheEnd(wendle, a == texts::kYes  ? 2
                                                                   : a == texts::kNo ? 1
                                                                                     : 0);
        std::string old;
        EXPECT_TRUE(bench::ReadFileBytes(start_ + "\\a.ogg", &old));
        EXPECT_EQ(a != texts::kYes, old == "old");
        EXPECT_EQ(a != texts::kCancelAnswer, bench::Exists(start_ + "\\b.ogg"));
        EXPECT_FALSE(bench::Exists(start_ + "\\a.ogg.wendle-backup"));
    }
}

TEST_F(Batch, AFailedFileIsListedAtTheEndAndTheOthersAreDone) {
    const std::vector<std::string> paths = Waves({"a.wav", "b.wav", "c.wav"});
    SetEnvironmentVariableA("WENDLE_DOUBLE_FAIL", "b.ogg");
    bench::Wendle wendle(start_, "", Arguments(paths));
    Start(wendle);
    HWND error = wendle.WaitForDialog(texts::kErrorTitle);
    ASSERT_NE(nullptr, error);
    EXPECT_BYTES(std::string("\n") + texts::kBatchFailed + "\nb.wav",
                 bench::ReadDialog(error).message);
    EXPECT_TRUE(IsWindowVisible(wendle.MainWindow()));
    EXPECT_TRUE(bench::Exists(start_ + "\\a.ogg"));
    EXPECT_FALSE(bench::Exists(start_ + "\\b.ogg"));
    EXPECT_TRUE(bench::Exists(start_ + "\\c.ogg"));
    EXPECT_EQ(3u, ReadRuns(log_).size());
}

// 中止 and the end of the session: finished files stay, running ones are put
// back, files not started are never touched; nothing is asked.
TEST_F(Batch, AStopInTheMiddleKeepsWhatIsDoneAndPutsBackWhatRuns) {
    for (const char* way : {"button", "end of session"}) {
        SCOPED_TRACE(way);
        bench::FreshFolder("log");
        // The longest first: quick starts with the held ones, ends at once
        // and lets the last held one start; untouched never gets its turn.
        std::vector<std::string> held;
        std::vector<std::string> paths = {wave_ + "\\quick.wav"};
        ASSERT_TRUE(bench::WriteFileBytes(paths[0], bench::Wave(1, 8000, 400)));
        for (int i = 0; i < Processors(); ++i) {
            held.push_back("held" + std::to_string(i));
            paths.push_back(wave_ + "\\" + held.back() + ".wav");
            ASSERT_TRUE(bench::WriteFileBytes(paths.back(), bench::Wave(1, 8000, 200)));
        }
        paths.push_back(wave_ + "\\untouched.wav");
        ASSERT_TRUE(bench::WriteFileBytes(paths.back(), bench::Wave(1, 8000, 100)));
        ASSERT_TRUE(bench::WriteFileBytes(start_ + "\\untouched.ogg", "old"));
        DeleteFileA((start_ + "\\quick.ogg").c_str());
        Hold();
        SetEnvironmentVariableA("WENDLE_DOUBLE_PROGRESS", "1");
        SetEnvironmentVariableA("WENDLE_DOUBLE_QUICK", "quick.ogg");
        bench::Wendle wendle(start_, "", Arguments(paths));
        Start(wendle);
        HWND question = wendle.WaitForDialog(texts::kConfirmTitle);
        ASSERT_TRUE(question && bench::PressButton(question, texts::kYes));
        HWND progress = nullptr;
        ASSERT_TRUE(bench::WaitUntil([&] {
            progress = Progress(wendle);
            return progress && ReadRuns(log_).size() == held.size() + 1 &&
                   bench::WindowText(GetDlgItem(progress, kProgressOutputId)) ==
                       std::string(texts::kDone) + "1 / " + std::to_string(paths.size());
        })) << bench::WindowText(GetDlgItem(progress, kProgressOutputId));
        for (const std::string& name : held)
            EXPECT_TRUE(bench::Exists(start_ + "\\" + name + ".ogg"));
        const std::string running = bench::WindowText(GetDlgItem(progress, kProgressInputId));
        EXPECT_NE(std::string::npos, running.find(held.back() + ".wav")) << running;
        EXPECT_EQ(std::string::npos, running.find("quick.wav")) << running;
        if (std::string(way) == "button") {
            EXPECT_TRUE(bench::PressButton(progress, texts::kStop));
        } else {
            DWORD_PTR answer = 0;
            ASSERT_NE(0, SendMessageTimeoutA(progress, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG,
                                             15000, &answer));
            // Put right before the answer: the session may end right after.
            for (const std::string& name : held) {
                EXPECT_FALSE(bench::Exists(start_ + "\\" + name + ".ogg"));
            }
        }
        ASSERT_TRUE(
            bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
        EXPECT_TRUE(bench::Settled(wendle.MainWindow()));
        EXPECT_EQ(nullptr, bench::FindTopLevel(wendle.ProcessId(), nullptr, texts::kErrorTitle));
        EXPECT_TRUE(bench::Exists(start_ + "\\quick.ogg"));
        for (const std::string& name : held)
            EXPECT_FALSE(bench::Exists(start_ + "\\" + name + ".ogg"));
        std::string old;
        EXPECT_TRUE(bench::ReadFileBytes(start_ + "\\untouched.ogg", &old));
        EXPECT_EQ("old", old);
        EXPECT_FALSE(bench::Exists(start_ + "\\untouched.ogg.wendle-backup"));
        for (const EncoderRun& run : ReadRuns(log_)) EXPECT_FALSE(run.Outputs("untouched.ogg"));
        SetEnvironmentVariableA("WENDLE_DOUBLE_PROGRESS", nullptr);
    }
}

// The handle another process gets next: the lowest free place in its table,
// which every handle it leaks pushes up. (Wine counts no other process's
// handles.)
ULONG_PTR NextHandle(HANDLE process) {
    HANDLE copy = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), process, &copy, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
        return 0;
    }
    DuplicateHandle(process, copy, nullptr, nullptr, 0, FALSE, DUPLICATE_CLOSE_SOURCE);
    return reinterpret_cast<ULONG_PTR>(copy);
}

// A probe of 200 files: what the program holds does not grow with the files done.
TEST_F(Batch, HandlesDoNotGrowWithTheFilesDone) {
    const std::string many = root_ + "\\many";
    CreateDirectoryA(many.c_str(), nullptr);
    const std::string wave = bench::Wave(1, 8000, 20);
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(bench::WriteFileBytes(many + "\\" + std::to_string(1000 + i) + ".wav", wave));
    }
    SetEnvironmentVariableA("WENDLE_DOUBLE_LOG", nullptr);
    bench::Wendle wendle(start_, "", Arguments({many, many + "\\1000.wav"}));
    Start(wendle);
    HANDLE process = OpenProcess(PROCESS_DUP_HANDLE, FALSE, wendle.ProcessId());
    ASSERT_NE(nullptr, process);
    auto nextHandleAt = [&](int done) {
        ULONG_PTR next = 0;
        EXPECT_TRUE(bench::WaitUntil(
            [&] {
                HWND progress = Progress(wendle);
                const std::string text = bench::WindowText(GetDlgItem(progress, kProgressOutputId));
                return progress && text.size() > sizeof texts::kDone &&
                       std::atoi(text.c_str() + sizeof texts::kDone - 1) >= done &&
                       (next = NextHandle(process)) != 0;
            },
            120000))
            << "not " << done << " files done";
        return next;
    };
    const ULONG_PTR early = nextHandleAt(20);
    const ULONG_PTR late = nextHandleAt(180);
    CloseHandle(process);
    // Run to the end: under Wine, an encoder ended as it starts can leave its
    // console host behind.
    EXPECT_TRUE(bench::WaitUntil([&] { return !Progress(wendle); }, 120000));
    // Each encoder that runs holds its process and its pipe; a handle is 4 apart.
    EXPECT_LE(late, early + 4 * (2 * static_cast<ULONG_PTR>(Processors()) + 2)) << early;
}

// A folder dropped on the window: the look lists its WAVE files, 開始
// encodes each (in this process, where the drop's memory can be made).
class BatchDrop : public bench::MadeMainWindow {
  protected:
    void TearDown() override { SetEnvironmentVariableA("WENDLE_DOUBLE_LOG", nullptr); }
};

// A tag typed in the main window goes to every file; one the last input put
// there is that file's own, and each file keeps its own.
TEST_F(BatchDrop, AFolderGivesTheFilesDirectlyInsideIt) {
    ASSERT_TRUE(bench::CopyProgram("oggenc_double.exe", root_ + "\\oggenc.exe"));
    made_->Job().FindEncoder();
    const std::string log = root_ + "\\log";
    CreateDirectoryA(log.c_str(), nullptr);
    SetEnvironmentVariableA("WENDLE_DOUBLE_LOG", log.c_str());
    const std::string folder = root_ + "\\album " + texts::kSo;
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\inner").c_str(), nullptr);
    const std::string wave = bench::Wave(1, 8000, 50);
    ASSERT_TRUE(bench::WriteFileBytes(folder + "\\02.wav", wave));
    ASSERT_TRUE(bench::WriteFileBytes(folder + "\\inner\\03.wav", wave));
    ASSERT_TRUE(bench::WriteFileBytes(folder + "\\01.wav",
                                      bench::WithInfo(wave, {{"INAM", "Dawn"}, {"IART", "Own"}})));
    const std::string single = root_ + "\\single.wav";
    ASSERT_TRUE(bench::WriteFileBytes(single, bench::WithInfo(wave, {{"IART", "Previous"}})));
    HDROP drop = bench::MakeDrop({bench::Wide(single)});
    SendMessageA(made_->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    ASSERT_EQ("Previous", made_->Text(kArtistEditId));
    made_->SetText(kAlbumEditId, "Typed");

    std::vector<std::string> items;
    drop = bench::MakeDrop({bench::Wide(folder)});
    EXPECT_TRUE(dialog_watch::WithDialog(
        [&] { SendMessageA(made_->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0); },
        [&](HWND look) {
            items = ReadBatchWindow(look).items;
            bench::PressButton(look, texts::kBatchStart);
        }));
    EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), GlobalFlags(drop)) << "drop not released";
    EXPECT_EQ((std::vector<std::string>{Item("01.wav", "Dawn", "01.ogg"),
                                        Item("02.wav", "02", "02.ogg")}),
              items);
    EXPECT_FALSE(bench::Exists(root_ + "\\03.ogg"));
    const std::vector<EncoderRun> runs = ReadRuns(log);
    ASSERT_EQ(2u, runs.size());
    for (const EncoderRun& run : runs) {
        const bool own = run.Outputs("01.ogg");
        SCOPED_TRACE(own ? "01" : "02");
        EXPECT_TRUE(bench::Exists(root_ + (own ? "\\01.ogg" : "\\02.ogg")));
        const std::vector<std::string> tags(run.argv.begin() + 2, run.argv.end() - 2);
        EXPECT_EQ(own ? (std::vector<std::string>{"-tDawn", "-aOwn", "-lTyped"})
                      : (std::vector<std::string>{"-t02", "-lTyped"}),
                  tags);
    }
}

}  // namespace
