// Path rules over byte strings in the ANSI code page. A byte 0x5C can be the
// trail byte of a double-byte character (表 = 95 5C), so every delimiter search
// asks the lead-byte set first. Positions are 1-based byte positions.
#pragma once

#include <bitset>
#include <cstddef>
#include <string>

namespace wendle {

enum class ByteKind { Single, Lead, Trail };

class PathRules {
  public:
    // A single-byte system: no lead bytes, every byte is a character.
    PathRules() = default;

    // The system's rules as the start-up reports them: the double-byte flag and
    // up to six (first, last) lead-byte ranges, ended by a pair of zeros.
    static PathRules FromSystem(bool doubleByteSystem, const unsigned char (&ranges)[12]);

    bool DoubleByte() const { return doubleByte_; }
    bool IsLeadByte(unsigned char b) const { return leadBytes_.test(b); }

    ByteKind KindAt(const std::string& text, std::size_t position) const;
    // The walk by characters: the 0-based index after the character that
    // starts at index; a lead byte at the end stands alone.
    std::size_t NextCharacter(const std::string& text, std::size_t index) const {
        return IsLeadByte(static_cast<unsigned char>(text[index])) && index + 1 < text.size()
                   ? index + 2
                   : index + 1;
    }
    // Position of the last delimiter that is not a trail byte, 0 when none.
    std::size_t LastDelimiter(const std::string& delimiters, const std::string& text) const;
    bool EndsInBackslash(const std::string& text) const;
    std::string ExtractPath(const std::string& path) const;
    std::string ExtractName(const std::string& path) const;
    std::string ExtractDirectory(const std::string& path) const;
    std::string ChangeExtension(const std::string& path, const std::string& extension) const;
    // Only the 26 Latin letters change; double-byte characters keep their bytes.
    // On a single-byte system the caller applies the code page's own mapping.
    std::string LowerCaseDoubleByte(const std::string& text) const;
    std::string UpperCaseDoubleByte(const std::string& text) const;

  private:
    bool doubleByte_ = false;
    std::bitset<256> leadBytes_;
};

}  // namespace wendle
