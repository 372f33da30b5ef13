// The main window's design at 96 DPI, written here apart from the program's
// table: each control's place and caption. A closed drop-down list takes the
// height its items give it and shows its selected item: no height (-1) and
// no caption (null) for those.
#pragma once

#include "main/main_ids.h"

namespace bench {

struct DesignedControl {
    int id, left, top, width, height;
    const char* caption;
};

inline const DesignedControl kMainDesign[] = {
    {wendle::kTitleLabelId, 40, 112, 49, 20, "\x83\x5E\x83\x43\x83\x67\x83\x8B"},    // タイトル
    {wendle::kCommentLabelId, 40, 208, 49, 20, "\x83\x52\x83\x81\x83\x93\x83\x67"},  // コメント
    {wendle::kAlbumLabelId, 24, 176, 65, 20, "\x83\x41\x83\x8B\x83\x6F\x83\x80"},    // アルバム
    {wendle::kArtistLabelId, 24, 144, 65, 20,
     "\x83\x41\x81\x5B\x83\x65\x83\x42\x83\x58\x83\x67"},  // アーティスト
    {wendle::kBitrateLabelId, 24, 240, 65, 20,
     "\x83\x72\x83\x62\x83\x67\x83\x8C\x81\x5B\x83\x67"},  // ビットレート
    {wendle::kOutputPathLabelId, 24, 312, 97, 20,
     "\x8F\x6F\x97\xCD\x83\x74\x83\x40\x83\x43\x83\x8B\x83\x70\x83\x58"},  // 出力ファイルパス
    {wendle::kOutputFolderLabelId, 280, 104, 57, 17, "\x8F\x6F\x97\xCD\x90\xE6"},  // 出力先
    {wendle::kOutputNameLabelId, 32, 272, 57, 20,
     "\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC"},  // ファイル名
    {wendle::kInputLabelId, 24, 16, 81, 20,
     "\x93\xFC\x97\xCD\x83\x74\x83\x40\x83\x43\x83\x8B"},  // 入力ファイル
    {wendle::kInputFrameId, 8, 8, 457, 73, ""},
    {wendle::kOutputFrameId, 8, 88, 457, 289, ""},
    {wendle::kTagsFrameId, 16, 96, 249, 209, ""},
    {wendle::kTitleEditId, 96, 112, 153, 20, ""},
    {wendle::kStartEncodeId, 288, 392, 169, 33,
     "\x83\x47\x83\x93\x83\x52\x81\x5B\x83\x68\x8A\x4A\x8E\x6E"},  // エンコード開始
    {wendle::kInputFileNameId, 24, 40, 353, 20, ""},
    {wendle::kInputFileOpenId, 384, 40, 65, 20, "\x57\x61\x76\x65\x91\x49\x91\xF0"},  // Wave選択
    {wendle::kArtistEditId, 96, 144, 153, 20, ""},
    {wendle::kAlbumEditId, 96, 176, 153, 20, ""},
    {wendle::kCommentEditId, 96, 208, 153, 20, ""},
    {wendle::kDriveChooserId, 280, 128, 169, -1, nullptr},
    {wendle::kFolderListId, 280, 152, 169, 153, ""},
    {wendle::kBitrateListId, 96, 240, 153, -1, nullptr},
    {wendle::kOutputFilePathId, 24, 336, 425, 20, ""},
    {wendle::kNewDirectoryId, 368, 104, 83, 20,
     "\x83\x74\x83\x48\x83\x8B\x83\x5F\x8D\xEC\x90\xAC"},  // フォルダ作成
    {wendle::kOutputFileNameId, 96, 272, 153, 20, ""},
};

// The client area.
constexpr int kMainClientWidth = 473;
constexpr int kMainClientHeight = 441;

}  // namespace bench
