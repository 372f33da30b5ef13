#include "dialogs/batch_layout.h"

#include "dialogs/batch_ids.h"

namespace wendle {

namespace {

const DWORD kLabel = SS_LEFTNOWORDWRAP | SS_NOPREFIX;

}  // namespace

const BatchControlSpec kBatchControls[] = {
    // id, class, style, left, top, width, height, caption; in tab order
    {kBatchFolderId, "STATIC", kLabel | SS_PATHELLIPSIS, {12, 12, 536, 16}, ""},
    {kBatchBitrateId, "STATIC", kLabel, {12, 32, 536, 16}, ""},
    {kBatchFileHeaderId, "STATIC", kLabel, {16, 56, 176, 16}, "ファイル"},
    {kBatchTitleHeaderId, "STATIC", kLabel, {196, 56, 176, 16}, "タイトル"},
    {kBatchOutputHeaderId, "STATIC", kLabel, {376, 56, 168, 16}, "出力ファイル"},
    {kBatchListId,
     "LISTBOX",
     WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
         LBS_NOINTEGRALHEIGHT,
     {12, 74, 536, 226},
     ""},
    {kBatchCountId, "STATIC", kLabel, {12, 308, 536, 16}, ""},
    {kBatchLeftOutId, "STATIC", kLabel, {12, 326, 536, 16}, ""},
    {kBatchStartId, "BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, {376, 350, 80, 24}, "開始"},
    {kBatchCancelId, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON, {468, 350, 80, 24}, "キャンセル"},
};
const std::size_t kBatchControlCount = sizeof kBatchControls / sizeof kBatchControls[0];

const PixelRect kBatchColumns[3] = {{4, 0, 176, 0}, {184, 0, 176, 0}, {364, 0, 150, 0}};

}  // namespace wendle
