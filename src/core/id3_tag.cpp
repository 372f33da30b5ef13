#include "core/id3_tag.h"

#include <cstdint>

namespace wendle {

namespace {

std::uint32_t BigEndian(const std::string& bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Seven bits a byte, so that no size holds a false sync; false when a byte
// has its top bit set.
bool Syncsafe(const std::string& bytes, std::size_t at, std::uint32_t* value) {
    *value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[at + i]);
        if (b & 0x80) return false;
        *value = *value << 7 | b;
    }
    return true;
}

// Unsynchronisation put 00 after every FF; taken out again.
std::string Resynchronised(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out.push_back(bytes[i]);
        if (bytes[i] == '\xFF' && i + 1 < bytes.size() && bytes[i + 1] == '\0') ++i;
    }
    return out;
}

struct FrameKind {
    const char* id;
    TagField field;
    int rank;
};

// The frames read, by version: 2.2's three-letter ids, then 2.3's and 2.4's.
const FrameKind kVersion2Frames[] = {
    {"TT2", kTitle, 2}, {"TP1", kArtist, 2}, {"TAL", kAlbum, 2}, {"COM", kComment, 2},
    {"TYE", kDate, 2},  {"TCO", kGenre, 2},  {"TRK", kTrack, 2},
};
const FrameKind kFrames[] = {
    {"TIT2", kTitle, 2}, {"TPE1", kArtist, 2}, {"TALB", kAlbum, 2}, {"COMM", kComment, 2},
    {"TDRC", kDate, 2},  {"TYER", kDate, 1},   {"TCON", kGenre, 2}, {"TRCK", kTrack, 2},
};

const FrameKind* KindOf(const std::string& id, int version) {
    if (version == 2) {
        for (const FrameKind& kind : kVersion2Frames) {
            if (id == kind.id) return &kind;
        }
    } else {
        for (const FrameKind& kind : kFrames) {
            if (id == kind.id) return &kind;
        }
    }
    return nullptr;
}

bool IsFrameIdCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool TextOf(const std::string& data, std::size_t at, TagText* text) {
    if (at >= data.size()) return false;
    switch (data[at]) {
        case 0:
            text->encoding = TagEncoding::CodePage;
            break;
        case 1:
            text->encoding = TagEncoding::Utf16WithBom;
            break;
        case 2:
            text->encoding = TagEncoding::Utf16BigEndian;
            break;
        case 3:
            text->encoding = TagEncoding::Utf8;
            break;
        default:
            return false;
    }
    text->bytes = data.substr(at + 1);
    return true;
}

bool IsWide(TagEncoding encoding) {
    return encoding == TagEncoding::Utf16WithBom || encoding == TagEncoding::Utf16BigEndian;
}

// A comment frame: encoding, language, a description ended by the
// encoding's NUL, the text. Only the one without a description is the
// comment; the others are programs' notes.
bool CommentOf(const std::string& data, TagText* text) {
    if (!TextOf(data, 0, text) || text->bytes.size() < 3) return false;
    const std::string rest = text->bytes.substr(3);
    std::size_t end = 0;
    if (IsWide(text->encoding)) {
        while (end + 1 < rest.size() && (rest[end] != 0 || rest[end + 1] != 0)) end += 2;
        if (end + 1 >= rest.size()) return false;
        const bool onlyBom = end == 2 && ((rest[0] == '\xFF' && rest[1] == '\xFE') ||
                                          (rest[0] == '\xFE' && rest[1] == '\xFF'));
        if (end != 0 && !onlyBom) return false;
        text->bytes = rest.substr(end + 2);
    } else {
        if (rest.empty() || rest[0] != 0) return false;
        text->bytes = rest.substr(1);
    }
    return true;
}

}  // namespace

void ReadId3Tag(const std::string& bytes, FoundTags* found) {
    if (bytes.size() < 10 || bytes.compare(0, 3, "ID3") != 0) return;
    const int version = static_cast<unsigned char>(bytes[3]);
    const unsigned char flags = static_cast<unsigned char>(bytes[5]);
    std::uint32_t size;
    if (version < 2 || version > 4 || bytes[4] == '\xFF' || !Syncsafe(bytes, 6, &size)) return;
    // 2.2 defined compression of the whole tag and never a method for it.
    if (version == 2 && (flags & 0x40)) return;
    const bool unsynchronised = (flags & 0x80) != 0;
    std::string body = bytes.substr(10, size);
    // Before 2.4 unsynchronisation covers the whole tag, frame headers too.
    if (unsynchronised && version < 4) body = Resynchronised(body);

    std::size_t at = 0;
    if (version > 2 && (flags & 0x40)) {
        std::uint64_t extended;
        std::uint32_t size4;
        if (body.size() < 4) return;
        if (version == 3) {
            extended = 4 + std::uint64_t{BigEndian(body, 0, 4)};  // its size leaves itself out
        } else if (Syncsafe(body, 0, &size4)) {
            extended = size4;
        } else {
            return;
        }
        if (extended > body.size()) return;
        at = extended;
    }

    const std::size_t idLength = version == 2 ? 3 : 4;
    const std::size_t headerLength = version == 2 ? 6 : 10;
    while (body.size() - at >= headerLength) {
        const std::string id = body.substr(at, idLength);
        if (id[0] == 0) return;  // padding
        for (char c : id) {
            if (!IsFrameIdCharacter(c)) return;
        }
        std::uint32_t length;
        if (version == 2) {
            length = BigEndian(body, at + 3, 3);
        } else if (version == 3) {
            length = BigEndian(body, at + 4, 4);
        } else if (!Syncsafe(body, at + 4, &length)) {
            return;
        }
        if (length > body.size() - at - headerLength) return;
        std::string data = body.substr(at + headerLength, length);
        const unsigned char format = version == 2 ? 0 : static_cast<unsigned char>(body[at + 9]);
        at += headerLength + length;

        const FrameKind* kind = KindOf(id, version);
        if (!kind) continue;
        std::size_t skip = 0;
        if (version == 3) {
            if (format & 0xC0) continue;  // compressed or encrypted
            if (format & 0x20) skip = 1;  // the group's id
        } else if (version == 4) {
            if (format & 0x0C) continue;  // compressed or encrypted
            if (unsynchronised || (format & 0x02)) data = Resynchronised(data);
            skip = ((format & 0x40) ? 1 : 0) + ((format & 0x01) ? 4 : 0);  // group, data length
        }
        if (skip > data.size()) continue;
        data.erase(0, skip);
        TagText text;
        if (kind->field == kComment ? CommentOf(data, &text) : TextOf(data, 0, &text)) {
            found->Offer(kind->field, text, kind->rank);
        }
    }
}

namespace {

// The genres of ID3v1, by number.
const char* const kGenres[] = {
    "Blues",
    "Classic Rock",
    "Country",
    "Dance",
    "Disco",
    "Funk",
    "Grunge",
    "Hip-Hop",
    "Jazz",
    "Metal",
    "New Age",
    "Oldies",
    "Other",
    "Pop",
    "R&B",
    "Rap",
    "Reggae",
    "Rock",
    "Techno",
    "Industrial",
    "Alternative",
    "Ska",
    "Death Metal",
    "Pranks",
    "Soundtrack",
    "Euro-Techno",
    "Ambient",
    "Trip-Hop",
    "Vocal",
    "Jazz+Funk",
    "Fusion",
    "Trance",
    "Classical",
    "Instrumental",
    "Acid",
    "House",
    "Game",
    "Sound Clip",
    "Gospel",
    "Noise",
    "AlternRock",
    "Bass",
    "Soul",
    "Punk",
    "Space",
    "Meditative",
    "Instrumental Pop",
    "Instrumental Rock",
    "Ethnic",
    "Gothic",
    "Darkwave",
    "Techno-Industrial",
    "Electronic",
    "Pop-Folk",
    "Eurodance",
    "Dream",
    "Southern Rock",
    "Comedy",
    "Cult",
    "Gangsta",
    "Top 40",
    "Christian Rap",
    "Pop/Funk",
    "Jungle",
    "Native American",
    "Cabaret",
    "New Wave",
    "Psychadelic",
    "Rave",
    "Showtunes",
    "Trailer",
    "Lo-Fi",
    "Tribal",
    "Acid Punk",
    "Acid Jazz",
    "Polka",
    "Retro",
    "Musical",
    "Rock & Roll",
    "Hard Rock",
};

// The name a reference stands for; empty when it stands for none.
std::string GenreReference(const std::string& reference) {
    if (reference == "RX") return "Remix";
    if (reference == "CR") return "Cover";
    if (reference.empty() || reference.size() > 3) return {};
    std::size_t number = 0;
    for (char c : reference) {
        if (c < '0' || c > '9') return {};
        number = number * 10 + static_cast<std::size_t>(c - '0');
    }
    return number < sizeof kGenres / sizeof kGenres[0] ? kGenres[number] : std::string();
}

}  // namespace

std::string Id3GenreName(const std::string& genre) {
    if (genre.compare(0, 2, "((") == 0) return genre.substr(1);
    std::string first;
    std::size_t at = 0;
    while (at < genre.size() && genre[at] == '(') {
        const std::size_t close = genre.find(')', at);
        if (close == std::string::npos) return genre;
        if (at == 0) first = genre.substr(1, close - 1);
        at = close + 1;
    }
    // A refinement after the references names the genre itself.
    if (at > 0 && at < genre.size()) {
        const std::string rest = genre.substr(at);
        return rest.compare(0, 2, "((") == 0 ? rest.substr(1) : rest;
    }
    const std::string name = GenreReference(at == 0 ? genre : first);
    return name.empty() ? genre : name;
}

}  // namespace wendle
