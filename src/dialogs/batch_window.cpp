#include "dialogs/batch_window.h"

#include <windows.h>

#include "dialogs/batch_ids.h"
#include "dialogs/batch_layout.h"
#include "win/application.h"
#include "win/dpi.h"
#include "win/fonts.h"
#include "win/modal_dialog.h"

namespace wendle {

namespace {

std::string CountText(std::size_t files) {
    if (files == 0) return "エンコードできるファイルがありません";
    return std::to_string(files) + " 個のファイルをエンコードします";
}

class BatchWindow : public ModalDialog {
  public:
    explicit BatchWindow(const BatchView& view) : view_(view) {}

  protected:
    void Build(HWND dialog) override {
        SetWindowTextA(dialog, "一括エンコード - Wendle");
        // Made in place at 96 DPI; LayOut gives them their places and font.
        dpi_ = WindowDpi(dialog);
        Measure(dpi_);
        for (std::size_t i = 0; i < kBatchControlCount; ++i) {
            const BatchControlSpec& c = kBatchControls[i];
            AddDialogControl(dialog, c.id, 0, c.windowClass, c.caption, c.style, c.at, nullptr);
        }
        SetDlgItemTextA(dialog, kBatchFolderId, ("出力先: " + view_.outputFolder).c_str());
        SetDlgItemTextA(dialog, kBatchBitrateId, (std::string("ビットレート:") + view_.bitrate).c_str());
        SetDlgItemTextA(dialog, kBatchCountId, CountText(view_.files.size()).c_str());
        SetDlgItemTextA(dialog, kBatchLeftOutId, view_.leftOut.c_str());
        FillList(GetDlgItem(dialog, kBatchListId));
        LayOut(dialog, dpi_);
        // Centred over the main window, inside the work area.
        RECT owner;
        GetWindowRect(App().MainForm() ? App().MainForm() : dialog, &owner);
        RECT outer;
        GetWindowRect(dialog, &outer);
        const int width = outer.right - outer.left, height = outer.bottom - outer.top;
        const PixelRect placed =
            KeptInside({(owner.left + owner.right - width) / 2,
                        (owner.top + owner.bottom - height) / 2, width, height},
                       WorkAreaOf(owner));
        SetWindowPos(dialog, nullptr, placed.left, placed.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        HWND start = GetDlgItem(dialog, kBatchStartId);
        EnableWindow(start, !view_.files.empty());
        SetFocus(view_.files.empty() ? GetDlgItem(dialog, kBatchCancelId) : start);
    }

    void LayOut(HWND dialog, int dpi) override {
        Font previous = std::move(font_);
        Measure(dpi);
        dpi_ = dpi;
        for (std::size_t i = 0; i < kBatchControlCount; ++i) {
            const BatchControlSpec& c = kBatchControls[i];
            MoveDialogControl(dialog, c.id, ScaleToDpi(c.at, dpi), font_.Handle());
        }
        SendMessageA(GetDlgItem(dialog, kBatchListId), LB_SETITEMHEIGHT, 0, itemHeight_);
        RECT outer;
        GetWindowRect(dialog, &outer);
        PlaceDialog(dialog, outer.left, outer.top, ScaleToDpi(kBatchClient, dpi),
                    FrameSize(dialog));
    }

    bool OnCommand(HWND dialog, int id, int code, HWND) override {
        if (code != BN_CLICKED) return false;
        // Enter reaches a disabled 開始 too.
        if (id == kBatchStartId && !view_.files.empty()) EndDialog(dialog, IDOK);
        if (id == kBatchCancelId) EndDialog(dialog, IDCANCEL);
        return true;
    }

    bool OnMessage(HWND, UINT message, WPARAM, LPARAM lParam, INT_PTR* result) override {
        if (message == WM_MEASUREITEM) {
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight =
                static_cast<UINT>(itemHeight_);
        } else if (message == WM_DRAWITEM) {
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        } else {
            return false;
        }
        *result = TRUE;
        return true;
    }

  private:
    // The font at the DPI, and the list's rows of it.
    void Measure(int dpi) {
        font_ = Font(MessageFont(dpi));
        int charWidth = 0;
        ScreenMeasure(font_.Handle()).MeasureLetters(&charWidth, &itemHeight_);
        itemHeight_ += ScaleToDpi(4, dpi);
    }

    // Each item's text is its three columns, tab-separated, for whoever reads
    // the list; it is drawn from the files.
    void FillList(HWND list) const {
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list, LB_INITSTORAGE, view_.files.size(), view_.files.size() * 48);
        for (const BatchFile& file : view_.files) {
            const std::string text =
                file.name + "\t" + file.fields.title + "\t" + file.fields.outputFileName;
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    }

    void DrawItem(const DRAWITEMSTRUCT& item) const {
        if (item.itemID >= view_.files.size()) return;
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        FillRect(item.hDC, &item.rcItem,
                 GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const BatchFile& file = view_.files[item.itemID];
        const std::string* texts[] = {&file.name, &file.fields.title, &file.fields.outputFileName};
        for (int i = 0; i < 3; ++i) {
            const PixelRect column = ScaleToDpi(kBatchColumns[i], dpi_);
            RECT r = {item.rcItem.left + column.left, item.rcItem.top,
                      item.rcItem.left + column.left + column.width, item.rcItem.bottom};
            DrawTextA(item.hDC, texts[i]->c_str(), static_cast<int>(texts[i]->size()), &r,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    }

    const BatchView& view_;
    Font font_;
    int dpi_ = kDesignDpi;
    int itemHeight_ = 16;
};

}  // namespace

bool ShowBatchWindow(const BatchView& view) {
    return BatchWindow(view).Run() == IDOK;
}

}  // namespace wendle
