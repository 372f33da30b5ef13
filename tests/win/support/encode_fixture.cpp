#include "support/encode_fixture.h"

#include "main/main_ids.h"
#include "support/bench.h"
#include "support/texts.h"

namespace bench {

namespace {

void ClearDoubleSettings() {
    for (const char* name : {"WENDLE_DOUBLE_REPORT", "WENDLE_DOUBLE_HOLD", "WENDLE_DOUBLE_EXIT",
                             "WENDLE_DOUBLE_PROGRESS", "WENDLE_DOUBLE_NO_OUTPUT",
                             "WENDLE_DOUBLE_LOG", "WENDLE_DOUBLE_QUICK", "WENDLE_DOUBLE_FAIL"}) {
        SetEnvironmentVariableA(name, nullptr);
    }
}

}  // namespace

void EncodeFixture::SetUp() {
    MakeFolders("oggenc_double.exe", std::string("wave") + texts::kSo,
                std::string("out") + texts::kHyou);
}

void EncodeFixture::TearDown() {
    ClearDoubleSettings();
}

void EncodeFixture::MakeFolders(const std::string& encoder, const std::string& wave,
                                const std::string& out) {
    ClearDoubleSettings();
    root_ = FreshFolder();
    start_ = root_ + "\\start";
    wave_ = root_ + "\\" + wave;
    out_ = root_ + "\\" + out;
    for (const std::string* folder : {&start_, &wave_, &out_}) {
        CreateDirectoryA(folder->c_str(), nullptr);
    }
    ASSERT_TRUE(CopyProgram(encoder, start_ + "\\oggenc.exe"));
    input_ = wave_ + "\\take1.wav";
    ASSERT_TRUE(WriteFileBytes(input_, "RIFF"));
    encoder_.reportPath = root_ + "\\report.txt";
    SetEnvironmentVariableA("WENDLE_DOUBLE_REPORT", encoder_.reportPath.c_str());
}

void EncodeFixture::Start(const Wendle& wendle) {
    HWND start = wendle.Control(wendle::kStartEncodeId);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(start) != FALSE; }));
    wendle.Click(wendle::kStartEncodeId);
}

}  // namespace bench
