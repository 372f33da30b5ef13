// The RIFF walk of a WAVE file: its form, its audio's size and the tags in
// its LIST/INFO and "id3 " chunks, read through a seam with hard bounds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/tag_text.h"
#include "core/wave_tags.h"

namespace wendle {

// A file's bytes, read at an offset.
class ByteSource {
  public:
    virtual std::uint64_t Size() const = 0;
    // True when all `count` bytes were read.
    virtual bool ReadAt(std::uint64_t offset, char* buffer, std::size_t count) = 0;

  protected:
    ~ByteSource() = default;
};

// Whatever a chunk says, at most this many bytes of tags and chunk headers
// are read; the audio is passed over, never read.
constexpr std::size_t kMaxTagBytes = 64 * 1024;
constexpr int kMaxChunkHeaders = 1024;

// A chunk that claims more than the file holds (or 0xFFFFFFFF) ends the walk,
// and a malformed item ends its INFO list or ID3 tag: what was found before
// it stands. Never throws for what the file holds.
WaveFile ReadWave(ByteSource& source, const TextConversions& conversions);

}  // namespace wendle
