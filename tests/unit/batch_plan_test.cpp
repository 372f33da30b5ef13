#include "core/batch_plan.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "core/latin_letters.h"

namespace wendle {
namespace {

const unsigned char kCodePage932[12] = {0x81, 0x9F, 0xE0, 0xFC};

PathRules Rules() {
    return PathRules::FromSystem(true, kCodePage932);
}

// Latin letters in one case, as the file system compares names and the
// folder list sorts them; trail bytes are no letters here.
std::string Upper(const std::string& name) {
    std::string upper = name;
    for (std::size_t i = 0; i < upper.size(); i = Rules().NextCharacter(upper, i)) {
        upper[i] = UpperLatin(upper[i]);
    }
    return upper;
}

BatchSource Source(const std::string& path, std::uint64_t audioSize, WaveTags tags = {}) {
    return {path, Rules().ExtractName(path), {true, audioSize, tags}};
}

std::vector<BatchFile> Plan(std::vector<BatchSource> sources, const EncodeFields& typed = {}) {
    return PlanBatch(std::move(sources), typed, &Upper, &Upper, Rules());
}

TEST(BatchPlan, FilesInNameOrderEachWithItsOwnTagsUnderTheTypedOnes) {
    WaveTags tagged;
    tagged.title = "\x92\xA9 Song";  // 朝 Song
    tagged.artist = "Own Artist";
    tagged.album = "Own Album";
    tagged.comment = "own";
    tagged.date = "2024";
    tagged.genre = "Jazz";
    tagged.track = "3/12";
    EncodeFields typed;
    typed.bitrateIndex = 3;
    typed.title = "ignored: one title for every file";
    typed.album = "Typed Album";
    const std::vector<BatchFile> files =
        Plan({Source("D:\\w\\b.wav", 10, tagged), Source("D:\\w\\A.b.WAV", 20),
              Source("D:\\w\\.wav", 0), Source("D:\\w\\\x95\x5C", 5)},
             typed);
    ASSERT_EQ(4u, files.size());
    const char* const names[] = {".wav", "A.b.WAV", "b.wav", "\x95\x5C"};
    const char* const titles[] = {".wav", "A.b", "\x92\xA9 Song", "\x95\x5C"};
    const char* const outputs[] = {".ogg", "A.b.ogg", "b.ogg", "\x95\x5C.ogg"};
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(i);
        const EncodeFields& f = files[i].fields;
        EXPECT_BYTES(names[i], files[i].name);
        EXPECT_BYTES(std::string("D:\\w\\") + names[i], f.inputFileName);
        EXPECT_BYTES(titles[i], f.title);
        EXPECT_BYTES(outputs[i], f.outputFileName);
        EXPECT_EQ(3, f.bitrateIndex);
        EXPECT_EQ("Typed Album", f.album);
    }
    const EncodeFields& own = files[2].fields;
    EXPECT_EQ(10u, files[2].audioSize);
    EXPECT_EQ("Own Artist", own.artist);
    EXPECT_EQ("own", own.comment);
    EXPECT_EQ("2024", own.date);
    EXPECT_EQ("Jazz", own.genre);
    EXPECT_EQ("3/12", own.track);
    EXPECT_EQ("", files[1].fields.artist);
    EXPECT_EQ("", files[1].fields.date);
}

TEST(BatchPlan, ALaterInputOfAnEarlierOnesNameIsNumberedPastEveryOtherName) {
    const std::vector<BatchFile> files =
        Plan({Source("C:\\1\\a.wav", 0), Source("C:\\2\\a.wav", 0), Source("C:\\3\\A.wav", 0),
              Source("C:\\4\\a (2).wav", 0), Source("C:\\5\\a.ogg", 0), Source("C:\\6\\b.wav", 0)});
    std::vector<std::string> outputs;
    for (const BatchFile& file : files) outputs.push_back(file.fields.outputFileName);
    // In name order: "a (2).wav", "a.ogg" (its own name), then the three "a.wav".
    EXPECT_EQ((std::vector<std::string>{"a (2).ogg", "a.ogg", "a (3).ogg", "a (4).ogg", "A (5).ogg",
                                        "b.ogg"}),
              outputs);
}

struct FakeFiles : FileQueries {
    std::set<std::string> files, folders;
    Found FindFile(const std::string& name) const override {
        return files.count(name) ? Found::Yes : Found::No;
    }
    Found FindFolder(const std::string& name) const override {
        return folders.count(name) ? Found::Yes : Found::No;
    }
};

TEST(BatchPlan, EachFileIsCheckedAsAOneFileJobAndExistingOutputsAreCounted) {
    FakeFiles disk;
    disk.files = {"C:\\oggenc.exe", "D:\\w\\a.wav",   "D:\\w\\b.wav",
                  "D:\\w\\con.wav", "E:\\out\\a.ogg", "E:\\out\\b.ogg"};
    disk.folders = {"E:\\out\\"};
    const std::vector<BatchSource> sources = {Source("D:\\w\\a.wav", 1), Source("D:\\w\\b.wav", 1),
                                              Source("D:\\w\\con.wav", 1),
                                              Source("D:\\w\\gone.wav", 1)};
    EncodeFields typed;
    std::vector<BatchFile> files = Plan(sources, typed);
    BatchChecks checks = CheckBatch(files, typed, "C:\\oggenc.exe", "E:\\out", disk, Rules());
    EXPECT_EQ(nullptr, checks.refusal);
    ASSERT_EQ(4u, checks.plans.size());
    EXPECT_EQ(2u, checks.existing);
    EXPECT_EQ(nullptr, checks.plans[0].refusal);
    EXPECT_EQ("E:\\out\\a.ogg", checks.plans[0].output);
    EXPECT_TRUE(checks.plans[1].askBeforeOverwriting);
    EXPECT_STREQ(kNameIsDevice, checks.plans[2].refusal);
    EXPECT_STREQ(kInputMissing, checks.plans[3].refusal);

    // What holds for every file refuses the batch, once.
    typed.comment = "\x95";
    EXPECT_STREQ(kBrokenCharacter,
                 CheckBatch(Plan(sources, typed), typed, "C:\\oggenc.exe", "E:\\out", disk, Rules())
                     .refusal);
    typed.comment.clear();
    checks = CheckBatch(files, typed, "C:\\oggenc.exe", "E:\\gone", disk, Rules());
    EXPECT_STREQ(kFolderMissing, checks.refusal);
    EXPECT_TRUE(checks.plans.empty());
    EXPECT_STREQ(kEncoderMissing,
                 CheckBatch(files, typed, "C:\\gone.exe", "E:\\out", disk, Rules()).refusal);
}

TEST(BatchPlan, TheLongestStartFirstOnAtMostOneEncoderPerProcessor) {
    const std::vector<BatchFile> files =
        Plan({Source("a.wav", 5), Source("b.wav", 90), Source("c.wav", 5), Source("d.wav", 7)});
    EXPECT_EQ((std::vector<std::size_t>{1, 3, 0, 2}), StartOrder(files));
    EXPECT_EQ(4u, EncoderCount(8, 4, 63));
    EXPECT_EQ(2u, EncoderCount(2, 12, 63));
    EXPECT_EQ(1u, EncoderCount(0, 12, 63));
    EXPECT_EQ(63u, EncoderCount(128, 1000, 63));
    EXPECT_EQ(0u, EncoderCount(4, 0, 63));
}

TEST(BatchPlan, TheBarWeighsEachFileByItsAudio) {
    const std::vector<std::uint64_t> sizes = {300, 100, 0};
    // Not started (-1 before the encoder says anything), half way, over.
    EncoderProgress progress = BatchProgress(sizes, {-1, 500, 1000}, 10);
    EXPECT_EQ(125, progress.tenths);
    EXPECT_EQ(70, progress.secondsLeft);
    progress = BatchProgress(sizes, {1000, 500, 0}, 30);
    EXPECT_EQ(875, progress.tenths);
    EXPECT_EQ(4, progress.secondsLeft);
    EXPECT_EQ(-1, BatchProgress(sizes, {0, 0, 0}, 30).secondsLeft);
    EXPECT_EQ(1000, BatchProgress(sizes, {1000, 1000, 1000}, 30).tenths);
    // No audio at all: each file alike.
    EXPECT_EQ(500, BatchProgress({0, 0}, {1000, -1}, 5).tenths);
    // Sizes past 32 bits.
    EXPECT_EQ(750, BatchProgress({3ull << 40, 1ull << 40}, {1000, 0}, 5).tenths);
}

// One line per failed file, as many as a dialog can show, then how many more.
TEST(BatchPlan, TheFailureListStopsBeforeItOutgrowsTheScreen) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < kListedFailures + 2; ++i) names.push_back(std::to_string(i));
    const std::string text = FailedFilesText(names);
    EXPECT_EQ(0u, text.find("\n\x8E\x9F\x82\xCC"));                                // 次の
    EXPECT_NE(std::string::npos, text.find("\n19\n\x82\xD9\x82\xA9 2 \x8C\xC2"));  // ほか 2 個
    EXPECT_EQ(std::string::npos, text.find("\n20"));
    EXPECT_EQ(std::string::npos, FailedFilesText({"a.wav"}).find("\x82\xD9\x82\xA9"));
}

}  // namespace
}  // namespace wendle
