#include "core/wave_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/bytes.h"
#include "common/iconv_conversions.h"
#include "common/tag_bytes.h"

namespace wendle {
namespace {

#define kGeta "\x81\xAC"                                       // 〓
#define kMorningSong "\x92\xA9\x82\xCC\x89\xCC"                // 朝の歌
#define kYamada "\x8E\x52\x93\x63 \x91\xBE\x98\x59"            // 山田 太郎
#define kRecordings "\x98\x5E\x89\xB9\x8F\x57"                 // 録音集
#define kFirstTake "\x8F\x89\x89\xF1\x83\x65\x83\x43\x83\x4E"  // 初回テイク

// A file in memory that refuses any read of its audio: the walk passes over it.
class Bytes : public ByteSource {
  public:
    explicit Bytes(std::string data, std::uint64_t audioFrom = 0, std::uint64_t audioTo = 0)
        : data_(std::move(data)), audioFrom_(audioFrom), audioTo_(audioTo) {}
    std::uint64_t Size() const override { return data_.size(); }
    bool ReadAt(std::uint64_t offset, char* buffer, std::size_t count) override {
        EXPECT_FALSE(offset < audioTo_ && offset + count > audioFrom_)
            << "audio read at " << offset;
        if (offset > data_.size() || count > data_.size() - offset) return false;
        data_.copy(buffer, count, static_cast<std::size_t>(offset));
        read_ += count;
        return true;
    }
    std::size_t read_ = 0;

  private:
    std::string data_;
    std::uint64_t audioFrom_, audioTo_;
};

using bench::LittleEndian;

std::string Chunk(const std::string& id, const std::string& data) {
    return id + LittleEndian(data.size()) + data + (data.size() % 2 ? std::string(1, '\0') : "");
}

std::string Info(const std::string& items) {
    return Chunk("LIST", "INFO" + items);
}

std::string Riff(const std::string& chunks, const char* form = "RIFFWAVE") {
    return std::string(form, 4) + LittleEndian(4 + chunks.size()) + std::string(form + 4, 4) +
           chunks;
}

const std::string kFormat = Chunk("fmt ", std::string(16, '\x01'));

WaveFile Read(const std::string& file) {
    Bytes bytes(file);
    return ReadWave(bytes, bench::kIconvConversions);
}

std::vector<std::string> Fields(const WaveTags& t) {
    return {t.title, t.artist, t.album, t.comment, t.date, t.genre, t.track};
}

void ExpectTags(const std::vector<std::string>& expected, const WaveTags& tags) {
    const std::vector<std::string> got = Fields(tags);
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_BYTES(expected[i], got[i]) << "field " << i;
}

TEST(WaveReader, FilesTaggedByRealTools) {
    struct Row {
        const char* file;
        std::vector<std::string> tags;
    } rows[] = {
        {"info-ffmpeg.wav", {kMorningSong, kYamada, kRecordings, kFirstTake, "2004", "J-Pop", "3"}},
        {"rf64-ffmpeg.wav", {"RF64 \x83\x65\x83\x58\x83\x67", "", "", "", "", "", ""}},
        {"id3v23-utf16.wav",
         {kMorningSong, kYamada, kRecordings, kFirstTake, "2004", "Rock", "3/12"}},
        {"id3v24-utf8.wav",
         {"Beyonc" kGeta " \x82\xCC\x89\xCC", kYamada, "",
          "\x88\xEA\x8D\x73\x96\xDA \x93\xF1\x8D\x73\x96\xDA", "2004-05-12", "Rock", "7"}},
        {"id3v24-utf16be.wav", {kMorningSong, "", kRecordings, "", "", "", ""}},
        {"id3v23-sjis-in-latin1.wav", {kMorningSong, "\x95\x5C\x8E\xA6", "", "", "", "Remix", ""}},
        // Where both hold a tag the ID3 one wins; INFO fills what it lacks.
        {"id3-and-info.wav", {"ID3 title", "", "", "INFO comment", "", "", ""}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        std::ifstream in(std::string(WENDLE_FIXTURES "/wave/") + row.file, std::ios::binary);
        std::stringstream file;
        file << in.rdbuf();
        const WaveFile wave = Read(file.str());
        EXPECT_TRUE(wave.isWave);
        EXPECT_EQ(800u, wave.audioSize);
        ExpectTags(row.tags, wave.tags);
    }
}

TEST(WaveReader, InfoAfterTheAudioInItsCodePage) {
    const std::string audio = Chunk("data", std::string(1001, '\x7F'));  // odd: a pad byte
    const std::string file =
        Riff(kFormat + audio +
             Info(Chunk("INAM", kMorningSong) + Chunk("IART", "") + Chunk("IPRT", "9") +
                  Chunk("ICRD", "1999") + Chunk("ITRK", "2") + Chunk("JUNK", "x")));
    const std::uint64_t audioAt = 12 + kFormat.size() + 8;
    Bytes bytes(file, audioAt, audioAt + 1001);
    const WaveFile wave = ReadWave(bytes, bench::kIconvConversions);
    EXPECT_EQ(1001u, wave.audioSize);
    ExpectTags({kMorningSong, "", "", "", "1999", "", "2"}, wave.tags);
    // CSET names the code page, before or after the list.
    const std::string latin = Info(Chunk("INAM",
                                         "2\xD7"
                                         "3"));
    for (const std::string& chunks :
         {Chunk("CSET", LittleEndian(1252, 2) + LittleEndian(0, 6)) + latin,
          latin + Chunk("CSET", LittleEndian(1252, 2))}) {
        EXPECT_BYTES(
            "2\x81\x7E"
            "3",
            Read(Riff(chunks)).tags.title);
    }
}

TEST(WaveReader, Rf64TakesTheAudioSizeFromDs64) {
    const std::string ds64 = Chunk(
        "ds64", LittleEndian(0, 8) + LittleEndian(6, 8) + LittleEndian(0, 8) + LittleEndian(0));
    const std::string file = Riff(
        ds64 + "data" + LittleEndian(0xFFFFFFFF) + "123456" + Info(Chunk("INAM", "x")), "RF64WAVE");
    const WaveFile wave = Read(file);
    EXPECT_TRUE(wave.isWave);
    EXPECT_EQ(6u, wave.audioSize);
    EXPECT_EQ("x", wave.tags.title);
}

TEST(WaveReader, WhatTheFileClaimsBeyondItselfEndsTheWalk) {
    const std::string title = Info(Chunk("INAM", "T"));
    const std::string artist = Info(Chunk("IART", "A"));
    for (const std::string& file :
         {Riff(title, "RIFXWAVE"), Riff(title, "RIFFAVI "), Riff(title).substr(0, 11)}) {
        SCOPED_TRACE(file.substr(0, 12));
        const WaveFile wave = Read(file);
        EXPECT_FALSE(wave.isWave);
        EXPECT_EQ("", wave.tags.title);
    }
    // A size past the end, or unknown: what stood before stays; the audio is what there is.
    for (std::uint32_t size : {0xFFFFFFFFu, 1000u}) {
        SCOPED_TRACE(size);
        const WaveFile wave = Read(Riff(title + "data" + LittleEndian(size) + "abcd" + artist));
        EXPECT_EQ(4u + artist.size(), wave.audioSize);
        ExpectTags({"T", "", "", "", "", "", ""}, wave.tags);
    }
    // A list inside INFO, or an item longer than its list: not INFO as written.
    ExpectTags({"", "A", "", "", "", "", ""},
               Read(Riff(Info(Chunk("LIST", "INFO") + Chunk("INAM", "T")) + artist)).tags);
    const std::string longItem =
        Chunk("LIST", "INFO" + Chunk("INAM", "T") + "IART" + LittleEndian(99) + "A");
    ExpectTags({"T", "", "", "", "", "", ""}, Read(Riff(longItem)).tags);
}

TEST(WaveReader, At64KiBOfTagsAnd1024ChunkHeadersItStops) {
    const std::string big = Chunk("ICMT", std::string(64 * 1024, 'c'));
    const std::string late = Info(Chunk("INAM", "T"));
    EXPECT_EQ("", Read(Riff(Info(big) + late)).tags.title);
    const WaveFile first = Read(Riff(Info(Chunk("INAM", "T") + big)));
    EXPECT_EQ("T", first.tags.title);
    EXPECT_EQ("", first.tags.comment);  // its end lies past the bound

    std::string junk;
    for (int i = 0; i < 1022; ++i) junk += Chunk("JUNK", "");
    EXPECT_EQ("T", Read(Riff(junk + late)).tags.title);
    Bytes bytes(Riff(Chunk("JUNK", "") + junk + late));
    EXPECT_EQ("", ReadWave(bytes, bench::kIconvConversions).tags.title);
    EXPECT_EQ(12u + 8 * 1024 + 4 + 10, bytes.read_);  // the header, then the list's type and items
}

}  // namespace
}  // namespace wendle
