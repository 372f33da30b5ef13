#include "core/encoder_progress.h"

#include <gtest/gtest.h>

#include <string>

namespace wendle {
namespace {

PathRules ShiftJisRules() {
    const unsigned char ranges[12] = {0x81, 0x9F, 0xE0, 0xFC};
    return PathRules::FromSystem(true, ranges);
}

EncoderProgress Read(const std::string& output) {
    EncoderProgressReader reader(ShiftJisRules());
    reader.Take(output.data(), output.size());
    return reader.Progress();
}

const char kOpening[] = "Opening with wav module: WAV file reader\n";
const char kRecord[] = "\r\t[ 42.0%] [ 0m03s remaining] | ";

TEST(EncoderProgressTest, ARecordSplitAtEveryByteReadsTheSame) {
    const std::string output = std::string(kOpening) + kRecord;
    for (std::size_t cut = 0; cut <= output.size(); ++cut) {
        SCOPED_TRACE(cut);
        EncoderProgressReader reader(ShiftJisRules());
        reader.Take(output.data(), cut);
        reader.Take(output.data() + cut, output.size() - cut);
        EXPECT_EQ(420, reader.Progress().tenths);
        EXPECT_EQ(3, reader.Progress().secondsLeft);
    }
}

TEST(EncoderProgressTest, TheLastWholeRecordCounts) {
    const struct {
        const char* output;
        int tenths;
        int secondsLeft;
    } rows[] = {
        {"", -1, -1},
        {"Opening with wav module: WAV file reader\nEncoding \"take1.wav\"\n", -1, -1},
        {"\r\t[  0.0%] [ 9m59s remaining] /\r\t[ 42.9%] [ 1m05s remaining] - ", 429, 65},
        {"\r\t[ 99.9%] [ 0m00s remaining] \\\r\t[100.0%] [ 0m00s remaining] |\n\n"
         "Done encoding file \"take1.ogg\"\n",
         1000, 0},
        {"\r\t[ 42.0%] [ 0m03s remaining] |\r\t[ 4x.0%] [ 0m02s remaining] |\r[%]\r[ 43.0\n", 420,
         3},
        // No time said: the per cent alone, once its line has ended.
        {"\r\t[ 42.0%] |\r", 420, -1},
        {"\r\t[ 42.0%] [ 123m07s remaining] |", 420, 123 * 60 + 7},
        {"\r\t[ 42.0%] [ 0m0", -1, -1},
        // ー is 83 5B: its trail byte is no "[".
        {"\r\x83[ 42.0%] [ 0m03s remaining]\r", -1, -1},
        {"\r\x83\x5B[ 42.0%] [ 0m03s remaining]\r", 420, 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.output);
        const EncoderProgress progress = Read(row.output);
        EXPECT_EQ(row.tenths, progress.tenths);
        EXPECT_EQ(row.secondsLeft, progress.secondsLeft);
    }
}

TEST(EncoderProgressTest, ReportsOnlyAChange) {
    EncoderProgressReader reader(ShiftJisRules());
    const std::string record = kRecord;
    EXPECT_TRUE(reader.Take(record.data(), record.size()));
    EXPECT_FALSE(reader.Take(record.data(), record.size()));
    EXPECT_FALSE(reader.Take(kOpening, sizeof kOpening - 1));
}

TEST(EncoderProgressTest, AStreamWithoutLineEndsKeepsReading) {
    EncoderProgressReader reader(ShiftJisRules());
    const std::string noise(100000, '\x95');
    reader.Take(noise.data(), noise.size());
    const std::string record = std::string("\x5C") + kRecord;
    reader.Take(record.data(), record.size());
    EXPECT_EQ(420, reader.Progress().tenths);
}

TEST(EncoderProgressTest, Texts) {
    EXPECT_EQ("0%", PercentText(-1));
    EXPECT_EQ("42%", PercentText(429));
    EXPECT_EQ("100%", PercentText(1000));
    EXPECT_EQ("0:00", DurationText(-5));
    EXPECT_EQ("0:07", DurationText(7));
    EXPECT_EQ("59:59", DurationText(3599));
    EXPECT_EQ("1:00:00", DurationText(3600));
    EXPECT_EQ("27:46:40", DurationText(100000));
}

}  // namespace
}  // namespace wendle
