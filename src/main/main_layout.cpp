#include "main/main_layout.h"

#include "main/main_ids.h"

namespace wendle {

using K = ControlKind;

const ControlSpec kMainControls[] = {
    // id, name, kind, left, top, width, height, caption, properties, tab order
    {IDC_LABEL1, "Label1", K::Label, 40, 112, 49, 20, "タイトル", kAlignRight, -1},
    {IDC_LABEL3, "Label3", K::Label, 40, 208, 49, 20, "コメント", kAlignRight, -1},
    {IDC_LABEL2, "Label2", K::Label, 24, 176, 65, 20, "アルバム", kAlignRight, -1},
    {IDC_LABEL4, "Label4", K::Label, 24, 144, 65, 20, "アーティスト", kAlignRight, -1},
    {IDC_LABEL6, "Label6", K::Label, 24, 240, 65, 20, "ビットレート", kAlignRight, -1},
    {IDC_LABEL7, "Label7", K::Label, 24, 312, 97, 20, "出力ファイルパス", kNone, -1},
    {IDC_LABEL5, "Label5", K::Label, 280, 104, 57, 17, "出力先", kAlignBottom, -1},
    {IDC_LABEL8, "Label8", K::Label, 32, 272, 57, 20, "ファイル名", kAlignRight, -1},
    {IDC_LABEL9, "Label9", K::Label, 24, 16, 81, 20, "入力ファイル", kNone, -1},
    {IDC_BEVEL2, "Bevel2", K::Frame, 8, 8, 457, 73, "", kRaisedBox, -1},
    {IDC_BEVEL3, "Bevel3", K::Frame, 8, 88, 457, 289, "", kRaisedBox, -1},
    {IDC_BEVEL1, "Bevel1", K::Frame, 16, 96, 249, 209, "", kRaisedFrame, -1},
    {IDC_TITLE, "Title", K::Edit, 96, 112, 153, 20, "", kNone, 0},
    {IDC_START_ENCODE, "StartEncode", K::Button, 288, 392, 169, 33, "エンコード開始", kDisabled, 1},
    {IDC_INPUT_FILE_NAME, "InputFileName", K::Edit, 24, 40, 353, 20, "", kReadOnly, 2},
    {IDC_INPUT_FILE_OPEN, "InputFileOpen", K::Button, 384, 40, 65, 20, "Wave選択", kNone, 3},
    {IDC_ARTIST, "Artist", K::Edit, 96, 144, 153, 20, "", kNone, 4},
    {IDC_ALBUM, "Album", K::Edit, 96, 176, 153, 20, "", kNone, 5},
    {IDC_COMMENT, "Comment", K::Edit, 96, 208, 153, 20, "", kNone, 6},
    {IDC_DRIVE_COMBO_BOX1, "DriveComboBox1", K::DriveChooser, 280, 128, 169, 18, "", kNone, 7},
    {IDC_DIRECTORY_LIST_BOX1, "DirectoryListBox1", K::FolderList, 280, 152, 169, 153, "", kNone, 8},
    {IDC_BITRATE, "Bitrate", K::DropDownList, 96, 240, 153, 20, "", kNone, 9},
    {IDC_OUTPUT_FILE_PATH, "OutputFilePath", K::Edit, 24, 336, 425, 20, "", kReadOnly, 10},
    {IDC_NEW_DIRECTORY, "NewDirectory", K::Button, 368, 104, 83, 20, "フォルダ作成", kNone, 11},
    {IDC_OUTPUT_FILE_NAME, "OutputFileName", K::Edit, 96, 272, 153, 20, "", kNone, 12},
};
const std::size_t kMainControlCount = sizeof kMainControls / sizeof kMainControls[0];

const MenuSpec kMainMenu[] = {
    // id, name, caption, level, enabled at creation
    {0, "File1", "ファイル(&F)", 0, true},
    {IDM_OPEN_MENU, "OpenMenu", "WAVEファイルを選択(&O)", 1, true},
    {0, "N1", "-", 1, true},
    {IDM_ENCODE_MENU, "EncodeMenu", "エンコード開始(&S)", 1, false},
    {0, "N2", "-", 1, true},
    {IDM_EXIT_MENU, "ExitMenu", "終了(&X)", 1, true},
    {0, "Help1", "ヘルプ(&H)", 0, true},
    {IDM_ABOUT_MENU, "AboutMenu", "バージョン情報(&A)", 1, true},
};
const std::size_t kMainMenuCount = sizeof kMainMenu / sizeof kMainMenu[0];

}  // namespace wendle
