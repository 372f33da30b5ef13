// The rules that keep the input name, output name and output path together.
#include "main/main_ids.h"
#include "main/main_window.h"
#include "paths/system_rules.h"

namespace wendle {

void TMainWindow::InputFileNameChange() {
    const PathRules& rules = SystemPathRules();
    SetText(IDC_OUTPUT_FILE_NAME,
            rules.ExtractName(rules.ChangeExtension(Text(IDC_INPUT_FILE_NAME), ".ogg")));
}

void TMainWindow::OutputFileNameChange() {
    const PathRules& rules = SystemPathRules();
    if (Text(IDC_OUTPUT_FILE_NAME).empty()) SetText(IDC_OUTPUT_FILE_PATH, "");
    // The folder part comes from the path field itself, not from the folder list.
    SetText(IDC_OUTPUT_FILE_PATH,
            rules.ExtractPath(Text(IDC_OUTPUT_FILE_PATH)) + Text(IDC_OUTPUT_FILE_NAME));
    if (Text(IDC_OUTPUT_FILE_NAME).empty()) {
        SetStartControlsEnabled(false);
    } else {
        SetStartControlsEnabled(!Text(IDC_INPUT_FILE_NAME).empty());
    }
}

}  // namespace wendle
