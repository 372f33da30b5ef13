// The ways into a batch: a drop, the command line; the files they name, planned.
#include "core/batch_plan.h"
#include "main/main_window.h"
#include "win/batch_inputs.h"
#include "win/file_system.h"
#include "win/system_rules.h"

namespace wendle {

void MainWindow::TakeDroppedNames(const std::vector<std::u16string>& names) {
    bool anyFolder = false;
    if (ExistingEntries(names, &anyFolder) > 1 || anyFolder) {
        StartBatch(names);
        return;
    }
    for (const std::u16string& name : names) {
        if (IsExistingFile(name)) {
            TakeInputFile(name);
            return;
        }
    }
    // Nothing dropped was a file: nothing changes.
}

void MainWindow::StartWithInputFiles(const std::vector<std::u16string>& paths) {
    bool anyFolder = false;
    if (ExistingEntries(paths, &anyFolder) > 1) {
        StartBatch(paths);
    } else if (!paths.empty()) {
        StartWithInputFile(paths.front());
    }
}

void MainWindow::StartBatch(const std::vector<std::u16string>& names) {
    EncodeFields typed = Fields();
    // What the last input put into a tag field is that file's own, not a
    // tag typed for every file.
    const std::pair<std::string EncodeFields::*, std::string WaveTags::*> tags[] = {
        {&EncodeFields::artist, &WaveTags::artist},
        {&EncodeFields::album, &WaveTags::album},
        {&EncodeFields::comment, &WaveTags::comment}};
    for (const auto& tag : tags) {
        if (typed.*tag.first == filledTags_.*tag.second) (typed.*tag.first).clear();
    }
    BatchInputs inputs = FindBatchInputs(names);
    const std::vector<BatchFile> files = PlanBatch(std::move(inputs.sources), typed, &NameSortKey,
                                                   &SameFileNameKey, SystemPathRules());
    job_.RunBatch(Handle(), files, typed, folderList_.Folder(), LeftOutText(inputs.leftOut));
}

}  // namespace wendle
