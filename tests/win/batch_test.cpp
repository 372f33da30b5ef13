// A batch through the real program, with the encoder's stand-in: the ways in,
// the look before it, and what the encoders get and leave.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/batch_ids.h"
#include "main/main_ids.h"
#include "support/bench.h"
#include "support/encode_fixture.h"
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

class Batch : public bench::EncodeFixture {
  protected:
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

}  // namespace
