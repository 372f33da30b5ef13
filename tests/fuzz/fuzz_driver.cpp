// A driver for the fuzz entry point where libFuzzer is not at hand (g++, CI):
// random chunk trees of WAVE files with INFO lists and ID3 tags, and
// mutations of the files real tools made, from a fixed seed.
//
//   wave_reader_fuzz COUNT [SEED] [FIXTURE...]
//
// Runs COUNT inputs; a fault stops it under the sanitizers, so an end with
// its count is a run with no findings.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/tag_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

using bench::BigEndian;
using bench::LittleEndian;
using bench::Syncsafe;

namespace {

std::mt19937_64 generator;

std::uint64_t Below(std::uint64_t n) {
    return n == 0 ? 0 : generator() % n;
}

// A size as written: mostly true, sometimes a lie a broken writer tells.
std::uint64_t SizeOf(std::size_t real) {
    switch (Below(12)) {
        case 0:
            return 0xFFFFFFFF;
        case 1:
            return real + 1 + Below(3);
        case 2:
            return real > 0 ? real - 1 : 0;
        case 3:
            return generator() & 0xFFFFFFFF;
        default:
            return real;
    }
}

std::string Text() {
    static const char* const kPieces[] = {"\x92\xA9\x82\xCC",
                                          "\xE6\x9C\x9D",
                                          "\xFF\xFE",
                                          "\xFE\xFF",
                                          "\x00",
                                          "\r\n",
                                          "\t",
                                          "  ",
                                          "\x82",
                                          "\xC3\xA9",
                                          "\xF0\x9F\x8E\xB5",
                                          "\xED\xA0\x80",
                                          "(17)",
                                          "((",
                                          "RX",
                                          "T",
                                          "\xFF\x00"};
    std::string text;
    for (std::uint64_t n = Below(6); n-- > 0;) {
        if (Below(4) == 0) {
            text.push_back(static_cast<char>(generator()));
        } else {
            const char* piece = kPieces[Below(sizeof kPieces / sizeof kPieces[0])];
            text.append(piece, piece[0] == 0 ? 1 : std::char_traits<char>::length(piece));
        }
    }
    return text;
}

std::string Chunk(const std::string& id, const std::string& data) {
    return id + LittleEndian(SizeOf(data.size()), 4) + data +
           std::string(data.size() % 2 && Below(8) ? 1 : 0, '\0');
}

std::string InfoList(int depth) {
    static const char* const kIds[] = {"INAM", "IART", "IPRD", "ICMT", "ICRD",
                                       "IGNR", "ITRK", "IPRT", "ISFT", "LIST"};
    std::string items;
    for (std::uint64_t n = Below(6); n-- > 0;) {
        const char* id = kIds[Below(sizeof kIds / sizeof kIds[0])];
        items += std::string(id) == "LIST" && depth < 2 ? InfoList(depth + 1) : Chunk(id, Text());
    }
    return Chunk("LIST", "INFO" + items);
}

std::string Id3Tag() {
    static const char* const kIds[] = {"TIT2", "TPE1", "TALB", "COMM", "TDRC", "TYER",
                                       "TCON", "TRCK", "TXXX", "APIC", "TT2",  "COM"};
    const int version = 2 + static_cast<int>(Below(4));
    std::string body;
    if (Below(4) == 0)
        body += version == 4 ? Syncsafe(6) + "\x01\0" : BigEndian(6, 4) + std::string(6, '\0');
    for (std::uint64_t n = Below(8); n-- > 0;) {
        std::string id = kIds[Below(sizeof kIds / sizeof kIds[0])];
        std::string data(1, static_cast<char>(Below(5)));
        if (id.compare(0, 3, "COM") == 0) data += "jpn" + Text() + std::string(2, '\0');
        data += Text();
        const std::uint32_t size = static_cast<std::uint32_t>(SizeOf(data.size()));
        if (version == 2) {
            body += id.substr(0, 3) + BigEndian(size, 3) + data;
        } else {
            body += id + (version == 4 ? Syncsafe(size) : BigEndian(size, 4)) + '\0' +
                    static_cast<char>(Below(4) == 0 ? generator() : 0) + data;
        }
    }
    body += std::string(Below(16), '\0');
    const char flags = Below(3) == 0 ? static_cast<char>(generator()) : 0;
    return "ID3" + std::string{static_cast<char>(version), '\0', flags} +
           Syncsafe(static_cast<std::uint32_t>(SizeOf(body.size()))) + body;
}

std::string ChunkTree() {
    const bool rf64 = Below(4) == 0;
    std::string chunks;
    if (rf64 && Below(4))
        chunks += Chunk("ds64", LittleEndian(generator(), 8) + LittleEndian(Below(64), 8) +
                                    LittleEndian(0, 12));
    for (std::uint64_t n = 1 + Below(6); n-- > 0;) {
        switch (Below(6)) {
            case 0:
                chunks += InfoList(0);
                break;
            case 1:
                chunks += Chunk(Below(2) ? "id3 " : "ID3 ", Id3Tag());
                break;
            case 2:
                chunks += Chunk("CSET",
                                LittleEndian(Below(3) ? 932 : generator(), 2) + LittleEndian(0, 6));
                break;
            case 3:
                chunks += "data" + LittleEndian(rf64 && Below(2) ? 0xFFFFFFFF : SizeOf(16), 4) +
                          std::string(16, 'a');
                break;
            case 4:
                chunks += Chunk("fmt ", std::string(16, '\x01'));
                break;
            default:
                chunks += Chunk("JUNK", Text());
                break;
        }
    }
    return (rf64 ? "RF64" : "RIFF") + LittleEndian(SizeOf(chunks.size() + 4), 4) + "WAVE" + chunks;
}

std::string Mutated(std::string bytes) {
    static const std::uint32_t kSizes[] = {
        0, 1, 2, 3, 4, 7, 8, 0x7F, 0x80, 0xFF, 0xFFFF, 0x10000, 0x7FFFFFFF, 0xFFFFFFFE, 0xFFFFFFFF};
    for (std::uint64_t n = 1 + Below(8); n-- > 0 && !bytes.empty();) {
        const std::size_t at = Below(bytes.size());
        switch (Below(5)) {
            case 0:
                bytes[at] = static_cast<char>(bytes[at] ^ (1 << Below(8)));
                break;
            case 1:
                bytes[at] = static_cast<char>(generator());
                break;
            case 2:
                bytes.replace(at, 4,
                              LittleEndian(kSizes[Below(sizeof kSizes / sizeof kSizes[0])], 4));
                break;
            case 3:
                bytes.erase(at, Below(16));
                break;
            default:
                bytes.insert(at, bytes.substr(Below(bytes.size()), Below(32)));
                break;
        }
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s COUNT [SEED] [FIXTURE...]\n", argv[0]);
        return 2;
    }
    const unsigned long long count = std::strtoull(argv[1], nullptr, 10);
    generator.seed(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1);
    std::vector<std::string> seeds;
    for (int i = 3; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::stringstream file;
        file << in.rdbuf();
        seeds.push_back(file.str());
    }
    for (unsigned long long i = 0; i < count; ++i) {
        std::string input;
        if (!seeds.empty() && Below(2) == 0) {
            input = Mutated(seeds[Below(seeds.size())]);
        } else {
            input = ChunkTree();
            if (Below(2) == 0) input = Mutated(input);
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    }
    std::printf("%llu inputs, 0 findings\n", count);
    return 0;
}
