// The tags a WAVE file carries, read when it becomes the input: into the
// tag fields of the real program and of a window made here, and to the
// encoder for the ones no field shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "main/main_ids.h"
#include "support/bench.h"
#include "support/encode_fixture.h"
#include "support/made_main_window.h"
#include "support/texts.h"
#include "support/windows.h"

namespace {

using namespace wendle;
namespace texts = bench::texts;

// Code page 932, as Japanese recorders write INFO: 朝の歌, 山田 太郎, 録音集, 初回テイク.
const std::string kTitle = "\x92\xA9\x82\xCC\x89\xCC";
const std::string kArtist = "\x8E\x52\x93\x63 \x91\xBE\x98\x59";
const std::string kAlbum = "\x98\x5E\x89\xB9\x8F\x57";
const std::string kComment = "\x8F\x89\x89\xF1\x83\x65\x83\x43\x83\x4E";
const std::string kGenre = "J-Pop \x89\x89\x89\xCC";  // 演歌, after a blank

std::string Item(const char* id, const std::string& value) {
    const std::uint32_t size = static_cast<std::uint32_t>(value.size());
    return id + std::string(reinterpret_cast<const char*>(&size), 4) + value +
           (size % 2 ? std::string(1, '\0') : "");
}

// A real WAVE with a LIST/INFO of these items after its audio, as editors
// append it.
std::string TaggedWave(const std::string& items) {
    std::string wave = bench::Wave(1, 8000, 10) + Item("LIST", "INFO" + items);
    const std::uint32_t riff = static_cast<std::uint32_t>(wave.size() - 8);
    wave.replace(4, 4, reinterpret_cast<const char*>(&riff), 4);
    return wave;
}

std::vector<std::string> TagFieldTexts(const std::function<std::string(int)>& text) {
    return {text(kTitleEditId), text(kArtistEditId), text(kAlbumEditId), text(kCommentEditId)};
}

void ExpectFields(const std::vector<std::string>& expected, const std::vector<std::string>& got) {
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_BYTES(expected[i], got[i]) << "field " << i;
}

using TagsFromTheFile = bench::EncodeFixture;

TEST_F(TagsFromTheFile, ShiftJisInfoFillsTheFieldsAndDateGenreTrackReachTheEncoder) {
    const std::string tagged = wave_ + "\\tagged.wav";
    ASSERT_TRUE(bench::WriteFileBytes(
        tagged, TaggedWave(Item("INAM", kTitle) + Item("IART", kArtist) + Item("IPRD", kAlbum) +
                           Item("ICMT", kComment) + Item("ICRD", "2004") + Item("IGNR", kGenre) +
                           Item("ITRK", "3"))));
    const std::string encoder = start_ + "\\oggenc.exe -b160 ";
    {
        bench::Wendle wendle(start_, "", "\"" + tagged + "\"");
        ASSERT_TRUE(wendle.Running());
        ExpectFields({kTitle, kArtist, kAlbum, kComment},
                     TagFieldTexts([&](int id) { return wendle.Text(id); }));
        Start(wendle);
        ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); })) << "the encoder never ran";
        EXPECT_BYTES(encoder + "-t" + kTitle + " -a\"" + kArtist + "\" -l" + kAlbum +
                         " -cCOMMENT=" + kComment + " -d2004 -G\"" + kGenre +
                         "\" -N3 -ntagged.ogg \"" + tagged + "\"",
                     encoder_.commandLine);
        EXPECT_TRUE(
            bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
    }
    // A file without tags: the fields stay empty and the line is as it always was.
    ASSERT_TRUE(DeleteFileA(encoder_.reportPath.c_str()));
    bench::Wendle wendle(start_, "", "\"" + input_ + "\"");
    ASSERT_TRUE(wendle.Running());
    ExpectFields({"", "", "", ""}, TagFieldTexts([&](int id) { return wendle.Text(id); }));
    Start(wendle);
    ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); })) << "the encoder never ran";
    EXPECT_BYTES(encoder + "-ntake1.ogg \"" + input_ + "\"", encoder_.commandLine);
    EXPECT_TRUE(bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
}

class TagFields : public bench::MadeMainWindow {
  protected:
    void Take(const std::string& name, const std::string& items) {
        const std::string path = root_ + "\\" + name;
        ASSERT_TRUE(bench::WriteFileBytes(path, TaggedWave(items)));
        HDROP drop = bench::MakeDrop({bench::Wide(path)});
        SendMessageA(made_->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        EXPECT_BYTES(path, made_->Text(kInputFileNameId));
    }
    std::vector<std::string> Fields() const {
        return TagFieldTexts([&](int id) { return made_->Text(id); });
    }
};

TEST_F(TagFields, ATypedFieldKeepsItsTextTheOthersFollowEachNewFile) {
    Take("a.wav", Item("INAM", "A title") + Item("IART", "A artist") + Item("IPRD", "A album"));
    ExpectFields({"A title", "A artist", "A album", ""}, Fields());
    made_->SetText(kArtistEditId, "typed");
    Take("b.wav", Item("INAM", "B title") + Item("ICMT", "B comment"));
    ExpectFields({"B title", "typed", "", "B comment"}, Fields());
    // UTF-8 with a character Shift-JIS cannot write; a lead byte that ends the value.
    Take("c.wav", Item("INAM", "Beyonc\xC3\xA9") + Item("IPRD", "a\x82"));
    ExpectFields(
        {std::string("Beyonc") + texts::kGeta, "typed", std::string("a") + texts::kGeta, ""},
        Fields());
}

}  // namespace
