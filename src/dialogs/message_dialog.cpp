#include "dialogs/message_dialog.h"

#include <windows.h>

#include <cstddef>

#include "core/dialog_metrics.h"
#include "dialogs/message_dialog_ids.h"
#include "win/dpi.h"
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
        : text_(text), kind_(kind), buttons_(buttons) {
        layout_.x = x;
        layout_.y = y;
    }

  protected:
    void Build(HWND dialog) override {
        SetWindowTextA(dialog, kind_ == MessageKind::Error ? "ｴﾗｰ" : "確認");
        // Made empty; LayOut gives them their places and font.
        AddDialogControl(dialog, kMessageIconId, 0, "STATIC", nullptr, SS_ICON, {}, nullptr);
        AddDialogControl(dialog, kMessageTextId, 0, "STATIC", text_.c_str(), SS_LEFT, {}, nullptr);
        for (int i = 0; i < ButtonCount(); ++i) {
            DWORD style = WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            AddDialogControl(dialog, ButtonAt(i).id, 0, "BUTTON", ButtonAt(i).caption, style, {},
                             nullptr);
        }
        LayOut(dialog, WindowDpi(dialog));
        SetFocus(GetDlgItem(dialog, kMessageOkId));
    }

    void LayOut(HWND dialog, int dpi) override {
        Font previous = std::move(font_);
        font_ = Font(MessageFont(dpi));
        const HFONT font = font_.Handle();
        ScreenMeasure measure(font);
        layout_.screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        measure.MeasureLetters(&layout_.charWidth, &layout_.lineHeight);
        const SIZE box =
            measure.TextSize(text_, DT_WORDBREAK | DT_EXPANDTABS, layout_.screen.width / 2);
        layout_.text = {box.cx, box.cy};
        layout_.captionWidths.clear();
        for (int i = 0; i < ButtonCount(); ++i) {
            layout_.captionWidths.push_back(measure.TextWidth(ButtonAt(i).caption));
        }
        layout_.iconSize = ScaleToDpi(kMessageIconSize, dpi);
        layout_.frame = FrameSize(dialog);
        const MessageLayout layout = LayoutMessageDialog(layout_);

        // The control shows the new icon before the old one goes.
        StandardIcon previousIcon = std::move(icon_);
        icon_ =
            StandardIcon(kind_ == MessageKind::Error ? IDI_HAND : IDI_QUESTION, layout_.iconSize);
        SendMessageA(GetDlgItem(dialog, kMessageIconId), STM_SETICON,
                     reinterpret_cast<WPARAM>(icon_.Handle()), 0);
        MoveDialogControl(dialog, kMessageIconId, layout.icon, font);
        MoveDialogControl(dialog, kMessageTextId, layout.text, font);
        for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
            MoveDialogControl(dialog, ButtonAt(static_cast<int>(i)).id, layout.buttons[i], font);
        }
        PlaceDialog(dialog, layout.left, layout.top, layout.client, layout_.frame);
    }

    bool OnCommand(HWND dialog, int id, int code, HWND) override {
        if (code != BN_CLICKED) return false;
        // Escape without a Cancel button means OK.
        if (id == kMessageCancelId && ButtonCount() == 1) id = kMessageOkId;
        for (int i = 0; i < ButtonCount(); ++i) {
            if (ButtonAt(i).id == id) EndDialog(dialog, ButtonAt(i).result);
        }
        return true;
    }

  private:
    int ButtonCount() const {
        return buttons_ == MessageButtons::Ok ? 1 : buttons_ == MessageButtons::OkCancel ? 2 : 3;
    }
    const Button& ButtonAt(int i) const {
        return buttons_ == MessageButtons::YesNoCancel ? kYesNoCancelButtons[i] : kOkButtons[i];
    }

    const std::string& text_;
    MessageKind kind_;
    MessageButtons buttons_;
    Font font_;
    StandardIcon icon_;
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
    const int offset = ScaleToDpi(150, WindowDpi(window));
    return ShowMessageDialog(text, kind, buttons, r.left + offset, r.top + offset);
}

void ShowError(HWND window, const std::string& text) {
    ShowMessageDialogOver(window, text, MessageKind::Error, MessageButtons::Ok);
}

}  // namespace wendle
