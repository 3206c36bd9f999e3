#include "ui/toolkit/OrixMessageBox.h"

#include <algorithm>

#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixForm.h"
#include "ui/toolkit/OrixImage.h"
#include "ui/toolkit/OrixLabel.h"

namespace {

constexpr int kWidth = 360;
constexpr int kTitle = 30;
constexpr int kMargin = 20;
constexpr int kIconSize = 32;
constexpr int kTextLeft = 66;
constexpr int kButtonWidth = 82;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;
constexpr int kMaxLines = 3;

LPCWSTR SystemIconOf(TOrixMessageIcon icon) {
    switch (icon) {
    case TOrixMessageIcon::Error:
        return IDI_ERROR;
    case TOrixMessageIcon::Information:
        return IDI_INFORMATION;
    case TOrixMessageIcon::Question:
        return IDI_QUESTION;
    default:
        return IDI_WARNING;
    }
}

// Design height of the text wrapped to the width, at most three lines.
int TextHeight(const std::wstring& text, const TOrixFont& font, int width) {
    const UniqueWindowDc screen(GetDC(nullptr), {nullptr});
    TOrixCanvas canvas(screen.get(), kDesignDpi);
    const SIZE one = canvas.MeasureText(L"Ag", font, width, DT_SINGLELINE);
    const SIZE all = canvas.MeasureText(text, font, width, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    return std::min(all.cy, one.cy * kMaxLines);
}

}  // namespace

TOrixMessageBox::TOrixMessageBox() {
    Font.SetColor(RGB(0x33, 0x33, 0x33));
    ButtonFont.SetColor(RGB(0xFF, 0xFF, 0xFF));
}

int TOrixMessageBox::Show(HWND owner, const std::wstring& title, const std::wstring& text,
                          TOrixMessageButtons buttons, TOrixMessageIcon icon) {
    if (open_) return kNo;
    open_ = true;
    const bool yesNo = buttons == TOrixMessageButtons::YesNo;
    const int closeAnswer = yesNo ? kNo : kOk;

    const int textWidth = kWidth - kTextLeft - kMargin;
    const int textHeight = std::max(TextHeight(text, Font, textWidth), 16);
    const int bodyHeight = std::max(kIconSize, textHeight);
    const int height = kTitle + kMargin + bodyHeight + kMargin + kButtonHeight + 12;

    TOrixForm form;
    TOrixForm::CreateArgs args;
    args.name = L"msgdlg";
    args.caption = title;
    args.clientWidth = kWidth;
    args.clientHeight = height;
    args.menuButton = false;
    args.closeOnEscape = true;
    // A box without a skinned owner still needs a place: the owner window's centre.
    if (owner) {
        RECT r;
        GetWindowRect(owner, &r);
        args.position = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    TOrixForm* ownerForm = nullptr;
    if (TOrixControl* c = TOrixControl::FromHandle(owner); c && c->Kind() == TOrixKind::Form)
        ownerForm = static_cast<TOrixForm*>(c);
    args.owner = ownerForm;
    if (!form.Create(args)) {
        open_ = false;
        return closeAnswer;
    }
    if (owner && !ownerForm) SetWindowLongPtrW(form.Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    form.Frame().Logo = Logo;
    form.Frame().CloseButton = CloseButton;
    if (owner) form.CenterOn(owner);

    TOrixImage::CreateArgs iconArgs;
    iconArgs.name = L"imgIcon";
    iconArgs.bounds = {kMargin, kTitle + kMargin, kIconSize, kIconSize};
    iconArgs.picture = Icons[static_cast<size_t>(icon) % Icons.size()];
    iconArgs.stretch = true;
    auto& iconBox = form.Add<TOrixImage>(iconArgs);
    if (iconArgs.picture.Empty()) {
        const LPCWSTR systemIcon = SystemIconOf(icon);
        iconBox.OnPaint = [systemIcon](TOrixImage& self, TOrixCanvas& canvas) {
            const RECT r = self.ClientRect();
            DrawIconEx(canvas.Dc(), 0, 0, LoadIconW(nullptr, systemIcon), r.right, r.bottom, 0, nullptr, DI_NORMAL);
        };
    }

    TOrixLabel::CreateArgs textArgs;
    textArgs.name = L"lblText";
    textArgs.caption = text;
    textArgs.bounds = {kTextLeft, kTitle + kMargin + (bodyHeight - textHeight) / 2, textWidth, textHeight};
    textArgs.wordWrap = true;
    auto& label = form.Add<TOrixLabel>(textArgs);
    label.Font = Font;

    auto addButton = [&](const wchar_t* name, const std::wstring& caption, int right, int answer) -> TOrixButton& {
        TOrixButton::CreateArgs b;
        b.name = name;
        b.caption = caption;
        b.bounds = {right - kButtonWidth, height - 12 - kButtonHeight, kButtonWidth, kButtonHeight};
        b.anchors = AnchorRight | AnchorBottom;
        b.picture = ButtonPicture;
        auto& button = form.Add<TOrixButton>(b);
        for (TOrixFont* f : {&button.FontNormal, &button.FontOver, &button.FontDown, &button.FontFocus,
                             &button.FontSelect, &button.FontDisable})
            *f = ButtonFont;
        button.OnClick = [&form, answer](TOrixControl&) { form.SetModalResult(answer); };
        return button;
    };
    TOrixButton* first = nullptr;
    if (yesNo) {
        const int noRight = kWidth - kMargin;
        first = &addButton(L"btnYes", YesCaption, noRight - kButtonWidth - kButtonGap, kYes);
        addButton(L"btnNo", NoCaption, noRight, kNo);
    } else {
        first = &addButton(L"btnOk", OkCaption, kWidth - kMargin, kOk);
    }
    form.OnCloseQuery = [closeAnswer](TOrixForm& self) {
        if (self.ModalResult() == 0) self.SetModalResult(closeAnswer);
        return true;
    };
    form.OnDpiChanged = [](TOrixForm&) {};

    form.Show();
    first->SetFocus();
    if (OnShown) OnShown(form);
    const int answer = form.ShowModal();
    open_ = false;
    return answer;
}
