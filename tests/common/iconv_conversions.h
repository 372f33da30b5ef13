// The system's text conversions on a native host, by iconv: a code page's
// bytes to UTF-16 and UTF-16 to code page 932, both refusing what they cannot
// convert exactly, as the program's own do on Windows.
#pragma once

#include <iconv.h>

#include <cerrno>
#include <map>
#include <string>
#include <utility>

#include "core/tag_text.h"

namespace bench {

// Opened once for each pair of encodings, as the fuzz run converts millions
// of texts; closed at exit, where the leak check looks. Reset before each use.
class Converters {
  public:
    ~Converters() {
        for (const auto& open : open_) {
            if (open.second != reinterpret_cast<iconv_t>(-1)) iconv_close(open.second);
        }
    }
    iconv_t For(const std::string& to, const std::string& from) {
        auto found = open_.find({to, from});
        if (found == open_.end()) {
            found =
                open_.emplace(std::make_pair(to, from), iconv_open(to.c_str(), from.c_str())).first;
        }
        return found->second;
    }

  private:
    std::map<std::pair<std::string, std::string>, iconv_t> open_;
};

inline bool Iconv(const char* to, const char* from, const std::string& in, std::string* out) {
    out->clear();
    static Converters converters;
    iconv_t cd = converters.For(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string input = in;
    char* source = input.empty() ? nullptr : &input[0];
    std::size_t left = input.size();
    char buffer[256];
    bool ok = true;
    while (left > 0 && ok) {
        char* target = buffer;
        std::size_t room = sizeof buffer;
        ok = iconv(cd, &source, &left, &target, &room) != static_cast<std::size_t>(-1) ||
             errno == E2BIG;
        out->append(buffer, static_cast<std::size_t>(target - buffer));
    }
    return ok;
}

inline bool CodePageToUtf16(unsigned codePage, const std::string& bytes, std::u16string* wide) {
    std::string units;
    if (!Iconv("UTF-16LE", ("CP" + std::to_string(codePage)).c_str(), bytes, &units)) return false;
    wide->clear();
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        wide->push_back(static_cast<char16_t>(static_cast<unsigned char>(units[i]) |
                                              static_cast<unsigned char>(units[i + 1]) << 8));
    }
    return true;
}

// Exact only when the bytes convert back to the same text: no best fit.
inline bool ExactShiftJis(const std::u16string& wide, std::string* bytes) {
    std::string units;
    for (char16_t c : wide) {
        units.push_back(static_cast<char>(c & 0xFF));
        units.push_back(static_cast<char>(c >> 8));
    }
    std::u16string back;
    return Iconv("CP932", "UTF-16LE", units, bytes) && CodePageToUtf16(932, *bytes, &back) &&
           back == wide;
}

inline const wendle::TextConversions kIconvConversions{&CodePageToUtf16, &ExactShiftJis};

}  // namespace bench
