#include "dialogs/prompt_dialog.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "core/dialog_metrics.h"
#include "win/dpi.h"
#include "win/fonts.h"
#include "win/modal_dialog.h"
#include "win/system_names.h"

namespace wendle {

namespace {

// The application's default font: its face and size follow the system's
// default character set; the size in points is pixels at the DPI.
LOGFONTA DefaultFont(int dpi) {
    LOGFONTA font{};
    int points = 8;
    const char* face = "MS Sans Serif";
    CHARSETINFO charset{};
    if (GetSystemMetrics(SM_DBCSENABLED) &&
        TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP())), &charset,
                             TCI_SRCCODEPAGE)) {
        if (charset.ciCharset == SHIFTJIS_CHARSET) {
            points = 9;
            face = "ＭＳ Ｐゴシック";
        } else if (charset.ciCharset == CHINESEBIG5_CHARSET) {
            points = 9;
            face = "Times New Roman";
        }
    }
    font.lfHeight = -MulDiv(points, dpi, 72);
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return font;
}

// The edit's own limit counts characters where it keeps its text in UTF-16
// (Wine), bytes in Windows' ANSI edit. Where a change has gone past 255
// bytes, drop the characters just typed or pasted before the caret.
void KeepWithinLimit(HWND edit) {
    const int length = GetWindowTextLengthW(edit);
    // A vector, not std::wstring: the shipped program links no wide strings.
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), length + 1)));
    auto bytes = [](const std::vector<wchar_t>& part) {
        return WideCharToMultiByte(CP_ACP, 0, part.data(), static_cast<int>(part.size()), nullptr,
                                   0, nullptr, nullptr);
    };
    if (bytes(text) <= kPromptLimit) return;
    DWORD start = 0;
    DWORD caret = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&caret));
    std::size_t cut = std::min<std::size_t>(caret, text.size());
    while (cut > 0 && bytes(text) > kPromptLimit) text.erase(text.begin() + --cut);
    while (bytes(text) > kPromptLimit) text.pop_back();
    text.push_back(L'\0');
    SetWindowTextW(edit, text.data());
    SendMessageW(edit, EM_SETSEL, cut, cut);
}

class PromptDialog : public ModalDialog {
  public:
    PromptDialog(const std::string& caption, const std::string& prompt, const std::string& value)
        : caption_(caption), prompt_(prompt), value_(value) {}

    // The edit's text when OK was pressed.
    std::string& Typed() { return typed_; }

  protected:
    void Build(HWND dialog) override {
        SetWindowTextA(dialog, caption_.c_str());
        // Made empty; LayOut gives them their places and font.
        AddDialogControl(dialog, kPromptLabelId, 0, "STATIC", prompt_.c_str(),
                         SS_LEFTNOWORDWRAP | SS_NOPREFIX, {}, nullptr);
        HWND edit = AddDialogControl(dialog, kPromptEditId, WS_EX_CLIENTEDGE, "EDIT",
                                     value_.c_str(), WS_TABSTOP | ES_AUTOHSCROLL, {}, nullptr);
        SendMessageA(edit, EM_LIMITTEXT, kPromptLimit, 0);
        AddDialogControl(dialog, kPromptOkId, 0, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, {},
                         nullptr);
        AddDialogControl(dialog, kPromptCancelId, 0, "BUTTON", "ｷｬﾝｾﾙ", WS_TABSTOP | BS_PUSHBUTTON,
                         {}, nullptr);
        LayOut(dialog, WindowDpi(dialog));
        SetFocus(edit);
        SendMessageA(edit, EM_SETSEL, 0, -1);
    }

    void LayOut(HWND dialog, int dpi) override {
        Font previous = std::move(font_);
        font_ = Font(DefaultFont(dpi));
        const HFONT font = font_.Handle();
        ScreenMeasure measure(font);
        layout_.screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        measure.MeasureLetters(&layout_.charWidth, &layout_.lineHeight);
        const SIZE box = measure.TextSize(prompt_, DT_SINGLELINE | DT_NOPREFIX);
        layout_.prompt = {box.cx, box.cy};
        layout_.frame = FrameSize(dialog);
        const PromptLayout layout = LayoutPromptDialog(layout_);

        MoveDialogControl(dialog, kPromptLabelId, layout.prompt, font);
        MoveDialogControl(dialog, kPromptEditId, layout.edit, font);
        MoveDialogControl(dialog, kPromptOkId, layout.ok, font);
        MoveDialogControl(dialog, kPromptCancelId, layout.cancel, font);
        PlaceDialog(dialog, layout.left, layout.top, layout.client, layout_.frame);
    }

    bool OnCommand(HWND dialog, int id, int code, HWND control) override {
        if (id == kPromptEditId && code == EN_CHANGE) {
            try {
                KeepWithinLimit(control);
            } catch (const std::bad_alloc&) {
                // Out of memory while trimming: the edit keeps its text.
            }
            return true;
        }
        if (code != BN_CLICKED) return false;
        if (id == kPromptOkId) {
            // The edit goes with the dialog: take its text now. Read wide: the
            // ANSI text would best-fit a¥b to a\b, a folder inside another;
            // "?" is in no name, so the name check refuses it.
            HWND edit = GetDlgItem(dialog, kPromptEditId);
            std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1);
            const int length = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
            typed_ = NarrowShownText(FromWide(text.data(), static_cast<std::size_t>(length)), '?');
            EndDialog(dialog, IDOK);
        } else if (id == kPromptCancelId) {
            EndDialog(dialog, IDCANCEL);
        }
        return true;
    }

  private:
    const std::string& caption_;
    const std::string& prompt_;
    const std::string& value_;
    Font font_;
    PromptLayoutInput layout_;
    std::string typed_;
};

}  // namespace

bool ShowPromptDialog(const std::string& caption, const std::string& prompt, std::string& value) {
    PromptDialog dialog(caption, prompt, value);
    if (dialog.Run() != IDOK) return false;
    value = std::move(dialog.Typed());
    return true;
}

}  // namespace wendle
