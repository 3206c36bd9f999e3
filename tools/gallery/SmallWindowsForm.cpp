#include "SmallWindowsForm.h"

#include <string>

#include "ui/ConfirmMessage.h"
#include "ui/ImgModule.h"
#include "ui/Toasts.h"
#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixLabel.h"

SmallWindowsForm::SmallWindowsForm() : TfrmBase(L"TfrmSmallWindows") {}

void SmallWindowsForm::AddButton(const wchar_t* name, const wchar_t* caption, int left, int top,
                                 std::function<void()> action) {
    TOrixButton::CreateArgs b;
    b.name = name;
    b.caption = caption;
    b.bounds = {left, top, 120, 25};
    b.picture = ImgModule().Picture(SkinPictureId::MessageButton);
    auto& button = Add<TOrixButton>(b);
    for (TOrixFont* f : {&button.FontNormal, &button.FontOver, &button.FontDown, &button.FontDisable,
                         &button.FontFocus, &button.FontSelect})
        f->SetColor(RGB(0xFF, 0xFF, 0xFF));
    button.OnClick = [action](TOrixControl&) { action(); };
}

void SmallWindowsForm::CreateComponents() {
    TOrixLabel::CreateArgs heading;
    heading.name = L"lblHeading";
    heading.caption = L"Notifications, questions and waiting";
    heading.bounds = {20, 42, 380, 22};
    heading.tag = 2;  // two points above the language's size
    auto& title = Add<TOrixLabel>(heading);
    title.Font.SetBold(true);
    title.Font.SetColor(RGB(0x38, 0x38, 0x38));

    TOrixLabel::CreateArgs note;
    note.name = L"lblNote";
    note.caption = L"Each button opens one of the small windows. A notification stays while the mouse "
                   L"rests on it and fades out otherwise; the wait window closes on a click.";
    note.bounds = {20, 70, 380, 44};
    note.wordWrap = true;
    Add<TOrixLabel>(note).Font.SetColor(RGB(0x6C, 0x71, 0x77));

    AddButton(L"btnInfo", L"Information", 20, 126, [this] { ShowInfo(BelowButton(L"btnInfo")); });
    AddButton(L"btnError", L"Error", 150, 126, [this] { ShowError(BelowButton(L"btnError")); });
    AddButton(L"btnLongError", L"Long error", 280, 126, [this] { ShowLongError(BelowButton(L"btnLongError")); });
    AddButton(L"btnQuestion", L"Question", 20, 166, [this] { AskQuestion(); });
    AddButton(L"btnMessage", L"Message", 150, 166, [this] {
        ConfirmMessage(Handle(), L"BIsRuning", TOrixMessageButtons::Ok, TOrixMessageIcon::Question);
    });
    AddButton(L"btnWait", L"Wait window", 280, 166, [this] { ShowWait(); });

    TOrixLabel::CreateArgs answer;
    answer.name = L"lblAnswer";
    answer.bounds = {20, 206, 380, 18};
    answer_ = &Add<TOrixLabel>(answer);
}

POINT SmallWindowsForm::BelowButton(const wchar_t* name) const {
    auto* button = dynamic_cast<TOrixControl*>(FindComponent(name));
    RECT r = {};
    if (button) GetWindowRect(button->Handle(), &r);
    return {r.left, r.bottom};
}

void SmallWindowsForm::ShowInfo(POINT at) {
    ShowInfoToast(at, L"Successfully set as default browser.");
}

void SmallWindowsForm::ShowError(POINT at) {
    ShowErrorToast(at, L"Failed to get rating information.");
}

void SmallWindowsForm::ShowLongError(POINT at) {
    ShowErrorToast(at,
                   L"The rating service did not answer. The list keeps the ratings it has and asks again "
                   L"the next time the browser is shown.");
}

int SmallWindowsForm::AskQuestion() {
    const int answer = ConfirmMessage(Handle(), L"DeleteConf", TOrixMessageButtons::YesNo, TOrixMessageIcon::Warning);
    if (answer_) answer_->SetCaption(L"Answer: " + std::to_wstring(answer));
    return answer;
}

void SmallWindowsForm::ShowWait() {
    wait_ = std::make_unique<TfrmWait>();
    if (wait_->CreateOver(Handle())) wait_->Show();
}
