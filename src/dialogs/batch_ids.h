// Control IDs of the look before a batch, also used by tests that drive it.
#pragma once

namespace wendle {

enum BatchControlId {
    kBatchStartId = 1,   // IDOK: Enter presses it
    kBatchCancelId = 2,  // IDCANCEL: Escape and the close box
    kBatchFolderId = 101,
    kBatchBitrateId,
    kBatchFileHeaderId,
    kBatchTitleHeaderId,
    kBatchOutputHeaderId,
    kBatchListId,
    kBatchCountId,
    kBatchLeftOutId,
};

}  // namespace wendle
