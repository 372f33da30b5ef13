// The fuzz entry point over the tag reader, in libFuzzer's form: any bytes as
// a whole file, as an ID3 tag and as a tag's text in each encoding.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "common/iconv_conversions.h"
#include "core/id3_tag.h"
#include "core/wave_reader.h"

namespace {

class Bytes : public wendle::ByteSource {
  public:
    explicit Bytes(const std::string& data) : data_(data) {}
    std::uint64_t Size() const override { return data_.size(); }
    bool ReadAt(std::uint64_t offset, char* buffer, std::size_t count) override {
        if (offset > data_.size() || count > data_.size() - offset) return false;
        std::memcpy(buffer, data_.data() + offset, count);
        return true;
    }

  private:
    const std::string& data_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wendle;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Bytes file(bytes);
    ReadWave(file, bench::kIconvConversions);
    FoundTags found;
    ReadId3Tag(bytes, &found);
    Id3GenreName(bytes);
    if (size <= 256) {
        for (TagEncoding encoding : {TagEncoding::CodePage, TagEncoding::Utf16WithBom,
                                     TagEncoding::Utf16BigEndian, TagEncoding::Utf8}) {
            DecodeTagText(TagText{encoding, 932, bytes}, bench::kIconvConversions);
        }
    }
    return 0;
}
