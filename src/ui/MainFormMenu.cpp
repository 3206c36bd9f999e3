#include "ui/MainFormMenu.h"

#include "app/AppConfig.h"
#include "app/LanguageChoice.h"
#include "app/LanguageLookup.h"
#include "app/LanguageSwitch.h"
#include "net/MakerAddresses.h"
#include "platform/ShellHelpers.h"
#include "ui/BrivoNews.h"
#include "ui/FrmAbout.h"
#include "ui/toolkit/OrixForm.h"
#include "ui/toolkit/OrixPopupMenu.h"

namespace {

constexpr int kItemCount = 8;
constexpr int kLanguageItem = TMainFormMenu::Language - 1;

std::wstring ItemCaption(int number) {
    return Translate(L"Translation", L"TMainFormMenu.MenuItem" + std::to_wstring(number), L"");
}

}  // namespace

TMainFormMenu& TMainFormMenu::Instance() {
    static TMainFormMenu instance;
    return instance;
}

void TMainFormMenu::Build(TOrixPopupMenu& menu) {
    menu_ = &menu;
    TOrixMenuItem& items = menu.Items();
    items.Clear();
    for (int i = 1; i <= kItemCount; ++i) {
        TOrixMenuItem& item = items.Add(ItemCaption(i));
        item.Tag = i;
        item.OnClick = [this](TOrixMenuItem& clicked) { MenuItemClick(clicked); };
    }
    items.Item(OnlineHelp - 1).ShortCut = L"F1";
    items.Item(CheckForNews - 1).Checked = AppConfig.CheckNews;
    items.Item(CheckForUpdates - 1).Checked = AppConfig.AutoUpdate;

    if (AppConfig.CheckNews) StartNewsCheck(AppConfig.MSGID);
    if (AppConfig.AutoUpdate) StartUpdateCheck(true);

    std::vector<std::wstring> languages;
    ListLanguages(languages);
    TOrixMenuItem& languageMenu = items.Item(kLanguageItem);
    for (const std::wstring& name : languages) {
        TOrixMenuItem& item = languageMenu.Add(GetNativeLanguageName(name));
        item.Value = name;
        item.RadioItem = true;
        item.AutoCheck = true;
        item.Checked = LanguageFilePath().find(name) != std::wstring::npos;
        item.OnClick = [this](TOrixMenuItem& clicked) { LanguageItemClick(clicked); };
    }

    // Items other windows added follow "Language".
    for (size_t i = 0; i < extraItems_.size(); ++i) {
        const TExtraItem& extra = extraItems_[i];
        TOrixMenuItem& item =
            items.Insert(kLanguageItem + 1 + static_cast<int>(i), Translate(L"Translation", extra.captionKey,
                                                                          extra.defaultCaption));
        item.Tag = kFirstExtraTag + static_cast<intptr_t>(i);
        item.OnClick = [this](TOrixMenuItem& clicked) { MenuItemClick(clicked); };
    }

    items.InsertSeparator(4);
    items.InsertSeparator(8 + static_cast<int>(extraItems_.size()));
}

HWND TMainFormMenu::OwnerWindow() const {
    return menu_ && menu_->OwnerForm() ? menu_->OwnerForm()->Handle() : nullptr;
}

void TMainFormMenu::MenuItemClick(TOrixMenuItem& item) {
    switch (item.Tag) {
    case OnlineHelp: OpenUrl(OwnerWindow(), OnlineHelpUrl()); break;
    case Forum: OpenUrl(OwnerWindow(), ForumUrl()); break;
    case Homepage: OpenUrl(OwnerWindow(), HomePageUrl()); break;
    case ContactUs: OpenUrl(OwnerWindow(), ContactPageUrl()); break;
    case CheckForUpdates:
        // Switching it on starts nothing now; the next start checks.
        item.Checked = !item.Checked;
        AppConfig.AutoUpdate = item.Checked;
        SaveSettings();
        break;
    case CheckForNews:
        item.Checked = !item.Checked;
        AppConfig.CheckNews = item.Checked;
        SaveSettings();
        if (item.Checked) StartNewsCheck(AppConfig.MSGID);
        break;
    case Language: break;  // only opens its sub-menu
    case About: ShowAbout(); break;
    default: {
        const intptr_t extra = item.Tag - kFirstExtraTag;
        if (extra >= 0 && extra < static_cast<intptr_t>(extraItems_.size())) {
            // The handler may rebuild the menu (and so this list's use of it).
            const std::function<void()> onClick = extraItems_[static_cast<size_t>(extra)].onClick;
            if (onClick) onClick();
        }
        break;
    }
    }
}

void TMainFormMenu::LanguageItemClick(TOrixMenuItem& item) {
    if (!item.Checked) return;
    // The switch translates the main window again, which rebuilds this menu
    // and destroys the item.
    const std::wstring name = item.Value;
    SwitchLanguage(name, OwnerWindow());
}

void TMainFormMenu::AddExtraItem(std::wstring captionKey, std::wstring defaultCaption, std::function<void()> onClick) {
    extraItems_.push_back({std::move(captionKey), std::move(defaultCaption), std::move(onClick)});
}

TOrixMenuItem* TMainFormMenu::FindShortCut(TOrixPopupMenu& menu, const std::wstring& shortCut) {
    TOrixMenuItem& items = menu.Items();
    for (int i = 0; i < items.Count(); ++i) {
        TOrixMenuItem& item = items.Item(i);
        if (item.ShortCut == shortCut && item.Selectable()) return &item;
    }
    return nullptr;
}

void TMainFormMenu::ShowAbout() {
    TOrixForm* owner = menu_ ? menu_->OwnerForm() : nullptr;
    TfrmAbout about;
    if (!about.CreateAbout(owner)) return;
    about.ShowModal();
}
