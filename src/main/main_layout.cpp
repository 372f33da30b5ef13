#include "main/main_layout.h"

#include "main/main_ids.h"

namespace wendle {

using K = ControlKind;

const ControlSpec kMainControls[] = {
    // id, kind, {left, top, width, height}, caption, properties, tab order
    {kTitleLabelId, K::Label, {40, 112, 49, 20}, "タイトル", kAlignRight, -1},
    {kCommentLabelId, K::Label, {40, 208, 49, 20}, "コメント", kAlignRight, -1},
    {kAlbumLabelId, K::Label, {24, 176, 65, 20}, "アルバム", kAlignRight, -1},
    {kArtistLabelId, K::Label, {24, 144, 65, 20}, "アーティスト", kAlignRight, -1},
    {kBitrateLabelId, K::Label, {24, 240, 65, 20}, "ビットレート", kAlignRight, -1},
    {kOutputPathLabelId, K::Label, {24, 312, 97, 20}, "出力ファイルパス", kNone, -1},
    {kOutputFolderLabelId, K::Label, {280, 104, 57, 17}, "出力先", kAlignBottom, -1},
    {kOutputNameLabelId, K::Label, {32, 272, 57, 20}, "ファイル名", kAlignRight, -1},
    {kInputLabelId, K::Label, {24, 16, 81, 20}, "入力ファイル", kNone, -1},
    {kInputFrameId, K::Frame, {8, 8, 457, 73}, "", kRaisedBox, -1},
    {kOutputFrameId, K::Frame, {8, 88, 457, 289}, "", kRaisedBox, -1},
    {kTagsFrameId, K::Frame, {16, 96, 249, 209}, "", kRaisedFrame, -1},
    {kTitleEditId, K::Edit, {96, 112, 153, 20}, "", kNone, 0},
    {kStartEncodeId, K::Button, {288, 392, 169, 33}, "エンコード開始", kDisabled, 1},
    {kInputFileNameId, K::Edit, {24, 40, 353, 20}, "", kReadOnly, 2},
    {kInputFileOpenId, K::Button, {384, 40, 65, 20}, "Wave選択", kNone, 3},
    {kArtistEditId, K::Edit, {96, 144, 153, 20}, "", kNone, 4},
    {kAlbumEditId, K::Edit, {96, 176, 153, 20}, "", kNone, 5},
    {kCommentEditId, K::Edit, {96, 208, 153, 20}, "", kNone, 6},
    {kDriveChooserId, K::DriveChooser, {280, 128, 169, 18}, "", kNone, 7},
    {kFolderListId, K::FolderList, {280, 152, 169, 153}, "", kNone, 8},
    {kBitrateListId, K::DropDownList, {96, 240, 153, 20}, "", kNone, 9},
    {kOutputFilePathId, K::Edit, {24, 336, 425, 20}, "", kReadOnly, 10},
    {kNewDirectoryId, K::Button, {368, 104, 83, 20}, "フォルダ作成", kNone, 11},
    {kOutputFileNameId, K::Edit, {96, 272, 153, 20}, "", kNone, 12},
};
const std::size_t kMainControlCount = sizeof kMainControls / sizeof kMainControls[0];

const MenuSpec kMainMenu[] = {
    // id, caption, level, enabled at creation
    {0, "ファイル(&F)", 0, true},
    {kOpenMenuId, "WAVEファイルを選択(&O)", 1, true},
    {0, "-", 1, true},
    {kEncodeMenuId, "エンコード開始(&S)", 1, false},
    {0, "-", 1, true},
    {kExitMenuId, "終了(&X)", 1, true},
    {0, "ヘルプ(&H)", 0, true},
    {kAboutMenuId, "バージョン情報(&A)", 1, true},
};
const std::size_t kMainMenuCount = sizeof kMainMenu / sizeof kMainMenu[0];

}  // namespace wendle
