// An ID3v2 tag (versions 2.2, 2.3 and 2.4), as tag editors put it in a WAVE
// file's "id3 " chunk: the frames that hold the tags Wendle reads.
#pragma once

#include <string>

#include "core/tag_text.h"

namespace wendle {

// The tag at the start of bytes, which may end before the tag does: frames
// that lie wholly in it count. A frame that runs past the tag, a header that
// is not one, compressed, encrypted and unknown frames give nothing.
void ReadId3Tag(const std::string& bytes, FoundTags* found);

// A genre as ID3 writes it: "(17)", "17" or "(17)Rock" refer to the ID3v1
// list, "(RX)" and "(CR)" are Remix and Cover; any other text is the name.
std::string Id3GenreName(const std::string& genre);

}  // namespace wendle
