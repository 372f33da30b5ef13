// Control IDs of the main window, also used by tests that drive it.
#pragma once

namespace wendle {

enum MainControlId {
    kTitleLabelId = 101,
    kCommentLabelId,
    kAlbumLabelId,
    kArtistLabelId,
    kBitrateLabelId,
    kOutputPathLabelId,
    kOutputFolderLabelId,
    kOutputNameLabelId,
    kInputLabelId,
    kInputFrameId,
    kOutputFrameId,
    kTagsFrameId,
    kTitleEditId = 201,
    kStartEncodeId,
    kInputFileNameId,
    kInputFileOpenId,
    kArtistEditId,
    kAlbumEditId,
    kCommentEditId,
    kDriveChooserId,
    kFolderListId,
    kBitrateListId,
    kOutputFilePathId,
    kNewDirectoryId,
    kOutputFileNameId,
};

enum MainMenuId {
    kOpenMenuId = 301,
    kEncodeMenuId,
    kExitMenuId,
    kAboutMenuId,
};

// The main window's class name, for tests that look for it.
constexpr char kMainWindowClass[] = "TMainWindow";

}  // namespace wendle
