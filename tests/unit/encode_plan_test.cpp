#include "core/encode_plan.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace wendle {
namespace {

const unsigned char kCodePage932[12] = {0x81, 0x9F, 0xE0, 0xFC};

struct FakeFiles : FileQueries {
    std::set<std::string> files, folders;
    bool FileExists(const std::string& name) const override { return files.count(name) != 0; }
    bool FolderExists(const std::string& name) const override { return folders.count(name) != 0; }
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
