#include "core/encoder_progress.h"

namespace wendle {

namespace {

// Far longer than any record: a stream without line ends keeps only its end.
const std::size_t kLongestLine = 1024;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void SkipBlanks(const std::string& s, std::size_t& i) {
    while (i < s.size() && s[i] == ' ') ++i;
}

// Digits at i, moving past them; -1 when there are none (or too many).
long Number(const std::string& s, std::size_t& i) {
    long value = 0;
    std::size_t start = i;
    while (i < s.size() && IsDigit(s[i]) && i - start < 9) value = value * 10 + (s[i++] - '0');
    return i == start || (i < s.size() && IsDigit(s[i])) ? -1 : value;
}

bool Literal(const std::string& s, std::size_t& i, const char* text) {
    const std::string expected(text);
    if (s.compare(i, expected.size(), expected) != 0) return false;
    i += expected.size();
    return true;
}

// "[ 42.0%]" at i, then optionally " [ 0m03s remaining]"; false when the
// per cent is not all there.
bool Record(const std::string& s, std::size_t i, EncoderProgress* found, bool* timeSaid) {
    ++i;  // "["
    SkipBlanks(s, i);
    const long whole = Number(s, i);
    if (whole < 0 || !Literal(s, i, ".") || i >= s.size() || !IsDigit(s[i])) return false;
    const long tenth = s[i] - '0';
    while (i < s.size() && IsDigit(s[i])) ++i;
    if (!Literal(s, i, "%]")) return false;
    found->tenths = static_cast<int>(whole >= 100 ? 1000 : whole * 10 + tenth);
    found->secondsLeft = -1;
    *timeSaid = false;
    if (!Literal(s, i, " [")) return true;
    SkipBlanks(s, i);
    const long minutes = Number(s, i);
    if (minutes < 0 || !Literal(s, i, "m")) return true;
    const long seconds = Number(s, i);
    if (seconds < 0 || !Literal(s, i, "s remaining]")) return true;
    found->secondsLeft = static_cast<int>(minutes * 60 + seconds);
    *timeSaid = true;
    return true;
}

}  // namespace

bool EncoderProgressReader::TakeLine(bool complete) {
    for (std::size_t i = 0; i < line_.size(); i = rules_.NextCharacter(line_, i)) {
        if (line_[i] != '[') continue;
        EncoderProgress found;
        bool timeSaid = false;
        if (!Record(line_, i, &found, &timeSaid)) continue;
        // An unfinished line counts once its time has come too, so that the
        // last record shows before the encoder's next line.
        if (!complete && !timeSaid) return false;
        const bool changed =
            found.tenths != progress_.tenths || found.secondsLeft != progress_.secondsLeft;
        progress_ = found;
        return changed;
    }
    return false;
}

bool EncoderProgressReader::Take(const char* bytes, std::size_t size) {
    bool changed = false;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            changed = TakeLine(true) || changed;
            line_.clear();
            continue;
        }
        line_ += c;
        if (line_.size() > kLongestLine) {
            // Cut on a character's start, so the walk stays in step.
            std::size_t cut = 0;
            while (cut < line_.size() / 2) cut = rules_.NextCharacter(line_, cut);
            line_.erase(0, cut);
        }
    }
    return TakeLine(false) || changed;
}

std::string PercentText(int tenths) {
    return std::to_string(tenths < 0 ? 0 : tenths / 10) + "%";
}

std::string DurationText(long seconds) {
    if (seconds < 0) seconds = 0;
    auto two = [](long n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    const long hours = seconds / 3600;
    const long minutes = seconds / 60 % 60;
    return hours > 0 ? std::to_string(hours) + ":" + two(minutes) + ":" + two(seconds % 60)
                     : std::to_string(minutes) + ":" + two(seconds % 60);
}

}  // namespace wendle
