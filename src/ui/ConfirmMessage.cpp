#include "ui/ConfirmMessage.h"

#include "app/LanguageLookup.h"
#include "ui/ImgModule.h"

int ConfirmMessage(HWND owner, const std::wstring& key, TOrixMessageButtons buttons, TOrixMessageIcon icon) {
    TOrixMessageBox& box = ImgModule().MessageDialog();
    if (box.IsOpen()) return TOrixMessageBox::kNo;
    const std::wstring text = Translate(L"Messages", key, key);
    const std::wstring title = Translate(L"Translation", L"Confirm", L"Confirmation");
    return box.Show(owner, title, text, buttons, icon);
}
