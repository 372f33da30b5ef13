// The batch: the look before it, the checks and the one question, then each
// file as a one-file job on up to one encoder per processor under one
// progress window, and one error at the end for what failed.
#include <windows.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "core/batch_plan.h"
#include "core/bitrates.h"
#include "core/failure.h"
#include "core/folder_items.h"
#include "dialogs/batch_window.h"
#include "dialogs/message_dialog.h"
#include "dialogs/progress_window.h"
#include "main/encode_job.h"
#include "main/encoder.h"
#include "main/output_files.h"
#include "win/application.h"
#include "win/file_system.h"
#include "win/system_rules.h"

namespace wendle {

namespace {

// One wait watches every encoder and the messages.
const std::size_t kMostEncoders = MAXIMUM_WAIT_OBJECTS - 1;

// One file's encoder and its output, new or set aside.
struct Slot {
    Slot(std::size_t place, std::string name, std::string setAside)
        : run(place), output(std::move(name), std::move(setAside)) {}
    std::size_t run;  // its place in the order the files start in
    OutputFiles output;
    Encoder encoder;
    bool putBack = false;
};

bool ProgramInFront() {
    DWORD process = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &process);
    return process == GetCurrentProcessId();
}

}  // namespace

// The batch's run, from the main window hidden to its return. Armed when
// made; its end, on every way out (the last file over, a stop, the end of the
// session, an exception), ends every encoder that still runs and puts each
// of their outputs back, forgets the stop, and gives the main window back.
// Finished files stay; files not started are never touched.
class EncodeJob::Batch {
  public:
    Batch(EncodeJob& job, HWND window, const std::vector<BatchFile>& files,
          std::vector<std::size_t> order, std::vector<char> overwrite, std::string folder)
        : job_(job),
          window_(window),
          files_(files),
          order_(std::move(order)),
          overwrite_(std::move(overwrite)),
          folder_(std::move(folder)),
          sizes_(order_.size()),
          tenths_(order_.size(), -1),
          failed_(files.size(), 0) {
        for (std::size_t run = 0; run < order_.size(); ++run) {
            sizes_[run] = files_[order_[run]].audioSize;
        }
        encoders_ = EncoderCount(LogicalProcessors(), order_.size(), kMostEncoders);
        job_.batch_ = this;
    }
    ~Batch() {
        job_.batch_ = nullptr;
        for (auto& slot : slots_) PutBack(*slot);
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    // Synchronous, so that the end of the session finds the folder put back.
    void Stop() {
        if (stopped_) return;
        stopped_ = true;
        for (auto& slot : slots_) PutBack(*slot);
    }

    // False when no progress window could be made: nothing ran.
    bool Run();

    // The files that failed, in the list's order, and what stays to be told.
    std::vector<std::string> Failed() const {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < files_.size(); ++i) {
            if (failed_[i]) names.push_back(files_[i].name);
        }
        return names;
    }
    const std::string& Notes() const { return notes_; }

  private:
    void StartNext();
    void Finish(Slot& slot);
    void Fail(std::size_t run) {
        failed_[order_[run]] = 1;
        tenths_[run] = 1000;
        ++done_;
    }
    // Done once for a slot, and told once; later calls change nothing.
    void PutBack(Slot& slot) noexcept {
        if (slot.putBack) return;
        slot.putBack = true;
        slot.encoder.Stop();
        try {
            Note(slot.output.PutBack());
        } catch (const std::bad_alloc&) {
            // Only the text of what stays is lost.
        }
    }
    void Note(const std::string& left) noexcept {
        if (left.empty()) return;
        try {
            notes_ += "\n\n" + left;
        } catch (const std::bad_alloc&) {
            // Only the text is lost; the file it names is where it says.
        }
    }
    void Show(ProgressWindow& progress, long elapsed);

    EncodeJob& job_;
    HWND window_;
    WindowAway away_{window_};  // back last, after every output is put back
    const std::vector<BatchFile>& files_;
    std::vector<std::size_t> order_;  // the files that run, the longest first
    std::vector<char> overwrite_;     // by file: an old output may be replaced
    std::string folder_;
    std::vector<std::uint64_t> sizes_;  // by place in order_
    std::vector<int> tenths_;           // by place in order_
    std::vector<char> failed_;          // by file
    std::vector<std::unique_ptr<Slot>> slots_;
    std::size_t encoders_ = 1;
    std::size_t next_ = 0;
    std::size_t done_ = 0;
    bool stopped_ = false;
    std::string notes_;
};

void EncodeJob::Batch::StartNext() {
    const std::size_t run = next_++;
    const BatchFile& file = files_[order_[run]];
    // The one-file job's checks, when the file's turn comes.
    const EncodePlan plan =
        PlanEncode(file.fields, job_.encoderPath_,
                   JoinPath(folder_, file.fields.outputFileName, SystemPathRules()),
                   SystemFileQueries(), SystemPathRules());
    // An output that appeared since the question is never overwritten unasked.
    if (plan.refusal || (plan.askBeforeOverwriting && !overwrite_[order_[run]])) {
        Fail(run);
        return;
    }
    std::string setAside;
    if (plan.askBeforeOverwriting && (setAside = SetFileAside(plan.output)).empty()) {
        Fail(run);
        return;
    }
    slots_.push_back(std::make_unique<Slot>(run, plan.output, std::move(setAside)));
    Slot& slot = *slots_.back();
    job_.commandLine_ = plan.commandLine;
    if (!slot.encoder.Start(plan.commandLine)) {
        PutBack(slot);
        slots_.pop_back();
        Fail(run);
        return;
    }
    tenths_[run] = 0;
}

void EncodeJob::Batch::Finish(Slot& slot) {
    slot.encoder.Read();
    // An encoder that ends well without writing has not replaced the old file.
    if (slot.encoder.ExitedWell() && slot.output.Written()) {
        Note(slot.output.Finished());
        tenths_[slot.run] = 1000;
        ++done_;
    } else {
        PutBack(slot);
        Fail(slot.run);
    }
}

void EncodeJob::Batch::Show(ProgressWindow& progress, long elapsed) {
    std::vector<std::string> running;
    for (const auto& slot : slots_) {
        slot->encoder.Read();
        tenths_[slot->run] = slot->encoder.Progress().tenths;
        running.push_back(files_[order_[slot->run]].name);
    }
    progress.ShowFiles(RunningText(running), DoneText(done_, order_.size()));
    progress.Show(BatchProgress(sizes_, tenths_, elapsed), elapsed);
}

void EncodeJob::StopBatch() {
    batch_->Stop();
}

bool EncodeJob::Batch::Run() {
    RECT main;
    GetWindowRect(window_, &main);
    ProgressWindow progress;
    const auto stop = [this] { Stop(); };
    progress.OnStop = stop;
    progress.OnEndSession = stop;
    // Nothing on screen would show the batch or handle the end of the session.
    if (!progress.Create(main.left, main.top, "", "")) return false;
    const DWORD started = GetTickCount();
    // On the window's timer only: the encoders have every processor, and
    // four looks a second keep the pipes empty.
    progress.OnTick = [&] { Show(progress, static_cast<long>((GetTickCount() - started) / 1000)); };
    progress.OnTick();
    bool quit = false;
    int quitCode = 0;
    for (;;) {
        while (!stopped_ && slots_.size() < encoders_ && next_ < order_.size()) StartNext();
        if (stopped_ || slots_.empty()) break;
        if (job_.OnWaitTurn) job_.OnWaitTurn();
        if (stopped_) break;
        std::vector<HANDLE> processes;
        for (const auto& slot : slots_) processes.push_back(slot->encoder.Process());
        MsgWaitForMultipleObjects(static_cast<DWORD>(processes.size()), processes.data(), FALSE,
                                  kPollMs, QS_ALLINPUT);
        for (std::size_t i = 0; i < slots_.size();) {
            if (WaitForSingleObject(slots_[i]->encoder.Process(), 0) != WAIT_OBJECT_0) {
                ++i;
                continue;
            }
            Finish(*slots_[i]);
            slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(i));
        }
        if (DispatchMessages(progress, stopped_, &quitCode)) {
            quit = true;
            Stop();
        }
    }
    if (quit) PostQuitMessage(quitCode);
    return true;
}

void EncodeJob::RunBatch(HWND window, const std::vector<BatchFile>& files,
                         const EncodeFields& typed, const std::string& outputFolder,
                         const std::string& leftOut) {
    const Raised raised(runs_);
    if (!ShowBatchWindow({files, outputFolder, BitrateAt(typed.bitrateIndex).label, leftOut})) {
        return;
    }
    const BatchChecks checks = CheckBatch(files, typed, encoderPath_, outputFolder,
                                          SystemFileQueries(), SystemPathRules());
    if (checks.refusal) {
        ShowRefusal(window, checks.refusal, checks.refused);
        return;
    }
    bool overwrite = false;
    if (checks.existing > 0) {
        const int answer =
            ShowMessageDialogOver(window, ExistingFilesQuestion(checks.existing),
                                  MessageKind::Confirmation, MessageButtons::YesNoCancel);
        if (answer != kResultYes && answer != kResultNo) return;
        overwrite = answer == kResultYes;
    }
    std::vector<char> overwriting(files.size(), 0);
    std::vector<std::size_t> order = StartOrder(files);
    std::size_t kept = 0;
    for (std::size_t i : order) {
        const bool exists = checks.plans[i].askBeforeOverwriting;
        if (exists && !overwrite) continue;
        overwriting[i] = exists;
        order[kept++] = i;
    }
    order.resize(kept);
    if (order.empty()) return;
    try {
        ChangeCurrentDirectory(outputFolder);
    } catch (const IoFailure&) {
        ShowError(window, std::string("\n") + kJobFailed);
        return;
    }
    std::vector<std::string> failed;
    std::string notes;
    bool ran = false, behind = false;
    {
        Batch batch(*this, window, files, std::move(order), std::move(overwriting), outputFolder);
        ran = batch.Run();
        behind = !ProgramInFront();
        failed = batch.Failed();
        notes = batch.Notes();
    }
    // Told on the taskbar when another program is in front.
    if (behind) {
        FLASHWINFO flash{sizeof flash, App().Handle(), FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
        FlashWindowEx(&flash);
    }
    if (!ran) {
        ShowError(window, std::string("\n") + kJobFailed);
    } else if (!failed.empty() || !notes.empty()) {
        ShowError(window, failed.empty() ? notes.substr(1) : FailedFilesText(failed) + notes);
    }
}

}  // namespace wendle
