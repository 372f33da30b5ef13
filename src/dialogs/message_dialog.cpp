#include "dialogs/message_dialog.h"

#include <windows.h>

#include <cstddef>

#include "core/dialog_metrics.h"
#include "dialogs/message_dialog_ids.h"
#include "win/fonts.h"
#include "win/modal_dialog.h"

namespace wendle {

namespace {

struct Button {
    const char* caption;
    int id;
    int result;
};

// Left to right; the first is the default (Enter), the one with the cancel
// id answers Escape.
const Button kOkButtons[] = {{"OK", kMessageOkId, kResultOk},
                             {"ｷｬﾝｾﾙ", kMessageCancelId, kResultCancel}};
const Button kYesNoCancelButtons[] = {{"はい", kMessageOkId, kResultYes},
                                      {"いいえ", kMessageNoId, kResultNo},
                                      {"キャンセル", kMessageCancelId, kResultCancel}};

class MessageDialog : public ModalDialog {
  public:
    MessageDialog(const std::string& text, MessageKind kind, MessageButtons buttons, int x, int y)
        : text_(text), kind_(kind), buttons_(buttons), font_(MessageFont()) {
        ScreenMeasure measure(font_.Handle());
        layout_.screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        measure.MeasureLetters(&layout_.charWidth, &layout_.lineHeight);
        const SIZE box =
            measure.TextSize(text, DT_WORDBREAK | DT_EXPANDTABS, layout_.screen.width / 2);
        layout_.text = {box.cx, box.cy};
        buttonCount_ = buttons == MessageButtons::Ok         ? 1
                       : buttons == MessageButtons::OkCancel ? 2
                                                             : 3;
        for (std::size_t i = 0; i < buttonCount_; ++i) {
            layout_.captionWidths.push_back(measure.TextWidth(ButtonAt(i).caption));
        }
        layout_.x = x;
        layout_.y = y;
    }

  protected:
    void Build(HWND dialog) override {
        const bool error = kind_ == MessageKind::Error;
        SetWindowTextA(dialog, error ? "ｴﾗｰ" : "確認");
        layout_.frame = FrameSize(dialog);
        const MessageLayout layout = LayoutMessageDialog(layout_);
        const HFONT font = font_.Handle();

        HWND icon = AddDialogControl(dialog, kMessageIconId, 0, "STATIC", nullptr, SS_ICON,
                                     layout.icon, font);
        SendMessageA(icon, STM_SETICON,
                     reinterpret_cast<WPARAM>(LoadIconA(nullptr, error ? IDI_HAND : IDI_QUESTION)),
                     0);
        AddDialogControl(dialog, kMessageTextId, 0, "STATIC", text_.c_str(), SS_LEFT, layout.text,
                         font);
        for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
            DWORD style = WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            AddDialogControl(dialog, ButtonAt(i).id, 0, "BUTTON", ButtonAt(i).caption, style,
                             layout.buttons[i], font);
        }
        PlaceDialog(dialog, layout.left, layout.top, layout.client, layout_.frame);
        SetFocus(GetDlgItem(dialog, kMessageOkId));
    }

    bool OnCommand(HWND dialog, int id, int code, HWND) override {
        if (code != BN_CLICKED) return false;
        // Escape without a Cancel button means OK.
        if (id == kMessageCancelId && buttonCount_ == 1) id = kMessageOkId;
        for (std::size_t i = 0; i < buttonCount_; ++i) {
            if (ButtonAt(i).id == id) EndDialog(dialog, ButtonAt(i).result);
        }
        return true;
    }

  private:
    const Button& ButtonAt(std::size_t i) const {
        return buttons_ == MessageButtons::YesNoCancel ? kYesNoCancelButtons[i] : kOkButtons[i];
    }

    const std::string& text_;
    MessageKind kind_;
    MessageButtons buttons_;
    std::size_t buttonCount_ = 1;
    Font font_;
    MessageLayoutInput layout_;
};

}  // namespace

int ShowMessageDialog(const std::string& text, MessageKind kind, MessageButtons buttons, int x,
                      int y) {
    return MessageDialog(text, kind, buttons, x, y).Run();
}

int ShowMessageDialogOver(HWND window, const std::string& text, MessageKind kind,
                          MessageButtons buttons) {
    RECT r;
    GetWindowRect(window, &r);
    return ShowMessageDialog(text, kind, buttons, r.left + 150, r.top + 150);
}

void ShowError(HWND window, const std::string& text) {
    ShowMessageDialogOver(window, text, MessageKind::Error, MessageButtons::Ok);
}

}  // namespace wendle
