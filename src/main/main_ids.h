// Control IDs of the main window, also used by tests that drive it.
#pragma once

namespace wendle {

enum MainControlId {
    IDC_LABEL1 = 101,
    IDC_LABEL3,
    IDC_LABEL2,
    IDC_LABEL4,
    IDC_LABEL6,
    IDC_LABEL7,
    IDC_LABEL5,
    IDC_LABEL8,
    IDC_LABEL9,
    IDC_BEVEL2,
    IDC_BEVEL3,
    IDC_BEVEL1,
    IDC_TITLE = 201,
    IDC_START_ENCODE,
    IDC_INPUT_FILE_NAME,
    IDC_INPUT_FILE_OPEN,
    IDC_ARTIST,
    IDC_ALBUM,
    IDC_COMMENT,
    IDC_DRIVE_COMBO_BOX1,
    IDC_DIRECTORY_LIST_BOX1,
    IDC_BITRATE,
    IDC_OUTPUT_FILE_PATH,
    IDC_NEW_DIRECTORY,
    IDC_OUTPUT_FILE_NAME,
};

enum MainMenuId {
    IDM_OPEN_MENU = 301,
    IDM_ENCODE_MENU,
    IDM_EXIT_MENU,
    IDM_ABOUT_MENU,
};

// The main window's class name, for tests that look for it.
constexpr char kMainWindowClass[] = "TMainWindow";

}  // namespace wendle
