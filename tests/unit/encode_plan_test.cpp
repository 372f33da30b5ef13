#include "core/encode_plan.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace wendle {
namespace {

const unsigned char kCodePage932[12] = {0x81, 0x9F, 0xE0, 0xFC};

struct FakeFiles : FileQueries {
    std::set<std::string> files, folders, unknown;
    Found Find(const std::set<std::string>& found, const std::string& name) const {
        if (unknown.count(name)) return Found::Unknown;
        return found.count(name) ? Found::Yes : Found::No;
    }
    Found FindFile(const std::string& name) const override { return Find(files, name); }
    Found FindFolder(const std::string& name) const override { return Find(folders, name); }
};

class EncodePlanTest : public testing::Test {
  protected:
    EncodePlanTest() {
        files_.files = {"C:\\Tools\\oggenc.exe", "D:\\Wave\\take1.wav"};
        files_.folders = {"D:\\Music\\"};
        fields_.bitrateIndex = 2;
        fields_.title = "Morning Song";
        fields_.outputFileName = "take1.ogg";
        fields_.inputFileName = "D:\\Wave\\take1.wav";
    }

    EncodePlan Plan(const std::string& outputPath = "D:\\Music\\take1.ogg") const {
        return PlanEncode(fields_, "C:\\Tools\\oggenc.exe", outputPath, files_,
                          PathRules::FromSystem(true, kCodePage932));
    }

    FakeFiles files_;
    EncodeFields fields_;
};

TEST_F(EncodePlanTest, AJobWithItsLineFolderAndTheQuestionOnlyForAnExistingFile) {
    EncodePlan plan = Plan();
    EXPECT_EQ(nullptr, plan.refusal);
    EXPECT_EQ("C:\\Tools\\oggenc.exe -b192 -t\"Morning Song\" -ntake1.ogg \"D:\\Wave\\take1.wav\"",
              plan.commandLine);
    EXPECT_EQ("D:\\Music\\", plan.outputFolder);
    EXPECT_EQ("D:\\Music\\take1.ogg", plan.output);
    EXPECT_FALSE(plan.askBeforeOverwriting);
    files_.files.insert("D:\\Music\\take1.ogg");
    EXPECT_TRUE(Plan().askBeforeOverwriting);

    // A folder of the output's name is refused with its path, never asked about.
    files_.files.erase("D:\\Music\\take1.ogg");
    files_.folders.insert("D:\\Music\\take1.ogg");
    plan = Plan();
    EXPECT_STREQ(kOutputIsFolder, plan.refusal);
    EXPECT_EQ("D:\\Music\\take1.ogg", plan.refused);
    EXPECT_FALSE(plan.askBeforeOverwriting);
}

// Each check in its order: every row breaks one more thing than the checks
// before it see, so only the first failure may be reported.
TEST_F(EncodePlanTest, TheFirstFailedCheckIsTheOneReported) {
    files_.files.erase("C:\\Tools\\oggenc.exe");
    EncodePlan plan = Plan("");
    EXPECT_STREQ(kEncoderMissing, plan.refusal);
    EXPECT_FALSE(plan.commandLineBuilt);

    files_.files.insert("C:\\Tools\\oggenc.exe");
    files_.files.erase("D:\\Wave\\take1.wav");
    fields_.outputFileName = "con.ogg";
    plan = Plan("");
    EXPECT_STREQ(kInputMissing, plan.refusal);
    EXPECT_TRUE(plan.commandLineBuilt);
    EXPECT_NE(std::string::npos, plan.commandLine.find(" -ncon.ogg "));

    files_.files.insert("D:\\Wave\\take1.wav");
    for (const char* path : {"", "take1.ogg", "D:\\Gone\\con.ogg"}) {
        SCOPED_TRACE(path);
        EXPECT_STREQ(kFolderMissing, Plan(path).refusal);
    }
    const struct {
        const char* name;
        const char* refusal;
    } names[] = {{"con.ogg", kNameIsDevice},
                 {"NUL.txt.ogg", kNameIsDevice},
                 {"Track 1: Intro.ogg", kNameHasDelimiter},
                 {"..\\x.ogg", kNameHasDelimiter},
                 {"take1.ogg.", kNameEndsBadly},
                 {"take1.ogg ", kNameEndsBadly}};
    for (const auto& row : names) {
        SCOPED_TRACE(row.name);
        fields_.outputFileName = row.name;
        plan = Plan(std::string("D:\\Music\\") + row.name);
        EXPECT_STREQ(row.refusal, plan.refusal);
        EXPECT_EQ("D:\\Music\\", plan.outputFolder);
    }
}

}  // namespace
}  // namespace wendle

namespace wendle {
namespace {

TEST(FoundAfterError, OnlyNoSuchFileOrPathMeansNotThere) {
    EXPECT_EQ(Found::No, FoundAfterError(2));  // ERROR_FILE_NOT_FOUND
    EXPECT_EQ(Found::No, FoundAfterError(3));  // ERROR_PATH_NOT_FOUND
    for (std::uint32_t error : {0u, 5u, 21u, 53u, 123u, 206u, 1920u}) {
        SCOPED_TRACE(error);
        EXPECT_EQ(Found::Unknown, FoundAfterError(error));
    }
}

// Each check that cannot tell refuses the job, naming what it asked about,
// before any later check and before the question.
TEST_F(EncodePlanTest, ACheckThatCannotTellRefusesNamingTheEntry) {
    for (const char* name :
         {"D:\\Music\\take1.ogg", "D:\\Music\\", "D:\\Wave\\take1.wav", "C:\\Tools\\oggenc.exe"}) {
        SCOPED_TRACE(name);
        files_.unknown.insert(name);
        const EncodePlan plan = Plan();
        EXPECT_STREQ(kCannotCheck, plan.refusal);
        EXPECT_EQ(name, plan.refused);
        EXPECT_FALSE(plan.askBeforeOverwriting);
    }
}

// The folder list shows folders of up to 259 bytes; the name may pass 260.
TEST_F(EncodePlanTest, AFolderLongerThanACurrentDirectoryIsRefused) {
    const std::string name(200, 'n');
    fields_.outputFileName = name;
    for (std::size_t length : {259u, 260u}) {
        const std::string folder = "D:\\" + std::string(length - 3, 'f');
        files_.folders.insert(folder + "\\");
        const EncodePlan plan = Plan(folder + "\\" + name);
        SCOPED_TRACE(length);
        EXPECT_STREQ(length == 259 ? nullptr : kFolderTooLong, plan.refusal);
    }
}

// A lone lead byte at the end of a value would take the closing quote or the
// next blank with it in the encoder's runtime; a whole character may end it.
TEST_F(EncodePlanTest, AValueEndingInALoneLeadByteIsRefusedBeforeTheLine) {
    for (std::string EncodeFields::*value :
         {&EncodeFields::title, &EncodeFields::artist, &EncodeFields::album, &EncodeFields::comment,
          &EncodeFields::outputFileName, &EncodeFields::inputFileName}) {
        EncodeFields kept = fields_;
        fields_.*value += "\xF9";
        EncodePlan plan = Plan();
        EXPECT_STREQ(kBrokenCharacter, plan.refusal);
        EXPECT_FALSE(plan.commandLineBuilt);
        fields_.*value = kept.*value + "\x81\x81";  // a lead byte as a trail byte
        plan = Plan(std::string("D:\\Music\\") + fields_.outputFileName);
        EXPECT_NE(kBrokenCharacter, plan.refusal);
        fields_ = kept;
    }
}

}  // namespace
}  // namespace wendle
