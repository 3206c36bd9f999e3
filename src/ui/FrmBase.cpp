#include "ui/FrmBase.h"

#include "app/LanguageFonts.h"
#include "app/LanguageLookup.h"
#include "app/LanguageSwitch.h"
#include "ui/ImgModule.h"
#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixLabel.h"

namespace {

// A bold control's Tag is a size step in points. Tags hold other things too
// (a browser button's adapter); a value no font size step could be is left
// alone rather than giving a font thousands of points high.
constexpr intptr_t kLargestSizeStep = 72;

bool IsSizeStep(intptr_t tag) { return tag >= -kLargestSizeStep && tag <= kLargestSizeStep; }

std::wstring ControlKey(const std::wstring& className, const std::wstring& name) {
    return className + L"." + name + L".caption";
}

void TranslateButton(TOrixButton& button, const TOrixFont& windowFont, const std::wstring& className) {
    TOrixFont* fonts[] = {&button.FontNormal, &button.FontOver,  &button.FontDown,
                          &button.FontDisable, &button.FontFocus, &button.FontSelect};
    for (TOrixFont* font : fonts) font->CopyFrom(windowFont);
    button.SetCaption(Translate(L"Translation", ControlKey(className, button.Name()), button.Caption()));
    if (button.FontNormal.Bold() && IsSizeStep(button.Tag())) {
        const int step = static_cast<int>(button.Tag());
        for (TOrixFont* font : fonts) font->SetSize(font->Size() + step);
    }
}

void TranslateLabel(TOrixLabel& label, const TOrixFont& windowFont, const std::wstring& className) {
    for (TOrixFont* font : {&label.Font, &label.FontOver, &label.FontDown, &label.FontDisable})
        font->CopyFrom(windowFont);
    label.SetCaption(Translate(L"Translation", ControlKey(className, label.Name()), label.Caption()));
    if (label.Font.Bold() && IsSizeStep(label.Tag()))
        label.Font.SetSize(static_cast<int>(label.Tag()) + windowFont.Size());
}

}  // namespace

TfrmBase::TfrmBase(std::wstring className) : className_(std::move(className)) {}

TOrixForm::CreateArgs TfrmBase::OwnedWindowArgs(const wchar_t* name, const wchar_t* caption, int clientWidth,
                                                int clientHeight, TOrixForm* owner) {
    CreateArgs args;
    args.name = name;
    args.caption = caption;
    args.clientWidth = clientWidth;
    args.clientHeight = clientHeight;
    args.owner = owner;
    args.menuButton = false;
    args.closeOnEscape = true;
    return args;
}

bool TfrmBase::CreateForm(const CreateArgs& args) {
    if (!Create(args)) return false;
    ImgModule().SkinFrame(Frame());
    RefreshFrame();
    CreateComponents();
    FormCreate();
    return true;
}

void TfrmBase::FormCreate() { TranslateForm(); }

void TfrmBase::TranslateForm() {
    TOrixFont& font = Font();
    font.SetCharset(GetLanguageCharset());
    font.SetName(GetLanguageFontName());
    font.SetSize(GetLanguageFontSize());
    Frame().CaptionFont.CopyFrom(font);
    SetCaption(Translate(L"Translation", className_ + L".Caption", Caption()));

    for (size_t i = 0; i < ComponentCount(); ++i) {
        TOrixComponent& component = Component(i);
        if (auto* button = dynamic_cast<TOrixButton*>(&component))
            TranslateButton(*button, font, className_);
        else if (auto* label = dynamic_cast<TOrixLabel*>(&component))
            TranslateLabel(*label, font, className_);
    }
    // New fonts show at once, also where no caption changed.
    if (Handle()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

LRESULT TfrmBase::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_LANGUAGE_CHANGED) {
        TranslateForm();
        return 0;
    }
    return TOrixForm::WndProc(msg, wp, lp);
}
