#include "core/wave_reader.h"

#include <algorithm>
#include <cstring>

#include "core/id3_tag.h"

namespace wendle {

namespace {

std::uint64_t LittleEndian(const char* bytes, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = count; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

struct InfoKind {
    const char* id;
    TagField field;
    int rank;
};

const InfoKind kInfoKinds[] = {
    {"INAM", kTitle, 2}, {"IART", kArtist, 2}, {"IPRD", kAlbum, 2}, {"ICMT", kComment, 2},
    {"ICRD", kDate, 2},  {"IGNR", kGenre, 2},  {"ITRK", kTrack, 2}, {"IPRT", kTrack, 1},
};

// The walk's bounds, whatever the file says.
struct Budget {
    std::size_t tagBytes = 0;
    int headers = 0;

    bool TakeHeader() {
        if (headers == kMaxChunkHeaders) return false;
        ++headers;
        return true;
    }
    std::size_t Take(std::uint64_t wanted) {
        const std::size_t count =
            static_cast<std::size_t>(std::min<std::uint64_t>(wanted, kMaxTagBytes - tagBytes));
        tagBytes += count;
        return count;
    }
};

// Reads the first `wanted` bytes at offset, as many as the budget allows.
bool ReadTagBytes(ByteSource& source, std::uint64_t offset, std::uint64_t wanted, Budget* budget,
                  std::string* bytes) {
    bytes->assign(budget->Take(wanted), '\0');
    return bytes->empty() || source.ReadAt(offset, &(*bytes)[0], bytes->size());
}

// The INFO list's items; `declared` is the length its chunk gives, of which
// `bytes` holds the part the budget allowed.
void ReadInfo(const std::string& bytes, std::uint64_t declared, Budget* budget, FoundTags* found) {
    for (std::uint64_t at = 0; at < declared && declared - at >= 8;) {
        if (bytes.size() - std::min<std::uint64_t>(at, bytes.size()) < 8 || !budget->TakeHeader()) {
            return;
        }
        const char* header = bytes.data() + at;
        const std::uint64_t size = LittleEndian(header + 4, 4);
        // A list in a list, or an item longer than the list: not INFO as written.
        if (std::memcmp(header, "LIST", 4) == 0 || size > declared - at - 8) return;
        if (size > bytes.size() - at - 8) return;  // past what the budget read
        for (const InfoKind& kind : kInfoKinds) {
            if (std::memcmp(header, kind.id, 4) != 0) continue;
            TagText text;
            text.bytes =
                bytes.substr(static_cast<std::size_t>(at + 8), static_cast<std::size_t>(size));
            found->Offer(kind.field, text, kind.rank);
        }
        at += 8 + size + (size & 1);
    }
}

}  // namespace

WaveFile ReadWave(ByteSource& source, const TextConversions& conversions) {
    WaveFile wave;
    const std::uint64_t fileSize = source.Size();
    char head[12];
    if (fileSize < 12 || !source.ReadAt(0, head, sizeof head)) return wave;
    const bool rf64 = std::memcmp(head, "RF64", 4) == 0;
    if ((!rf64 && std::memcmp(head, "RIFF", 4) != 0) || std::memcmp(head + 8, "WAVE", 4) != 0) {
        return wave;
    }
    wave.isWave = true;

    FoundTags info, id3;
    unsigned codePage = 0;
    std::uint64_t longDataSize = 0;
    bool sawData = false, sawLongSizes = false;
    Budget budget;
    // The chunks to the end of the file: writers that stream often leave the
    // RIFF size wrong, and tag editors append their chunks after the audio.
    for (std::uint64_t at = 12; at <= fileSize && fileSize - at >= 8 && budget.TakeHeader();) {
        char header[8];
        if (!source.ReadAt(at, header, sizeof header)) break;
        const std::string id(header, 4);
        const std::uint64_t declared = LittleEndian(header + 4, 4);
        const bool sizeElsewhere = declared == 0xFFFFFFFF;
        std::uint64_t size = declared;
        if (rf64 && id == "data" && sizeElsewhere && sawLongSizes) size = longDataSize;
        const std::uint64_t room = fileSize - at - 8;
        if (id == "data" && !sawData) {
            sawData = true;
            wave.audioSize = std::min(size, room);
        }
        if ((sizeElsewhere && size == declared) || size > room) break;

        std::string bytes;
        if (id == "LIST" && size >= 4) {
            if (!ReadTagBytes(source, at + 8, 4, &budget, &bytes)) break;
            if (bytes == "INFO") {
                if (!ReadTagBytes(source, at + 12, size - 4, &budget, &bytes)) break;
                ReadInfo(bytes, size - 4, &budget, &info);
            }
        } else if (id == "id3 " || id == "ID3 ") {
            if (!ReadTagBytes(source, at + 8, size, &budget, &bytes)) break;
            ReadId3Tag(bytes, &id3);
        } else if (id == "CSET" && size >= 2 && codePage == 0) {
            char cset[2];
            if (!source.ReadAt(at + 8, cset, sizeof cset)) break;
            codePage = static_cast<unsigned>(LittleEndian(cset, 2));
        } else if (rf64 && id == "ds64" && size >= 16 && !sawLongSizes) {
            // The RIFF size, then the data chunk's.
            char sizes[16];
            if (!source.ReadAt(at + 8, sizes, sizeof sizes)) break;
            longDataSize = LittleEndian(sizes + 8, 8);
            sawLongSizes = true;
        }
        at += 8 + size + (size & 1);
    }

    std::string* fields[kTagFieldCount] = {&wave.tags.title,   &wave.tags.artist, &wave.tags.album,
                                           &wave.tags.comment, &wave.tags.date,   &wave.tags.genre,
                                           &wave.tags.track};
    for (int field = 0; field < kTagFieldCount; ++field) {
        std::string value;
        if (id3.rank[field]) {
            value = DecodeTagText(id3.text[field], conversions);
            if (field == kGenre) value = Id3GenreName(value);
        }
        if (value.empty() && info.rank[field]) {
            TagText text = info.text[field];
            if (codePage != 0) text.codePage = codePage;
            value = DecodeTagText(text, conversions);
        }
        *fields[field] = value;
    }
    return wave;
}

}  // namespace wendle
