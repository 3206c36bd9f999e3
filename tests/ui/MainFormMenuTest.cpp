// The main menu and the about box: the items, numbers, shortcut, check
// marks and separators of every build, the language list with its radio
// check, the two switches stored at once, the language switch that
// translates the main window and rebuilds the menu, items added by other
// windows, and what the about box shows.
#include <gtest/gtest.h>

#include "UiLanguageTest.h"
#include "app/TranslatorCredits.h"
#include "ui/FrmAbout.h"
#include "ui/FrmBase.h"
#include "ui/MainFormMenu.h"
#include "ui/toolkit/OrixPopupMenu.h"

#include <vector>

namespace {

constexpr char kEnglish[] =
    "[Translation]\r\n"
    "TMainFormMenu.MenuItem1=Online Help\r\nTMainFormMenu.MenuItem2=Forum\r\nTMainFormMenu.MenuItem3=Homepage\r\n"
    "TMainFormMenu.MenuItem4=Contact Us\r\nTMainFormMenu.MenuItem5=Check for Updates\r\n"
    "TMainFormMenu.MenuItem6=Check for News\r\nTMainFormMenu.MenuItem7=Language\r\nTMainFormMenu.MenuItem8=About\r\n"
    "TMainFormMenu.MenuItem9=Exit\r\nTfrmMenuProbe.Caption=Main window\r\n"
    "[Lang]\r\nNativeLanguage=English\r\nTranslator=Brivo team\r\n";
constexpr char kGerman[] =
    "[Translation]\r\n"
    "TMainFormMenu.MenuItem1=Online-Hilfe\r\nTMainFormMenu.MenuItem2=Forum\r\nTMainFormMenu.MenuItem3=Startseite\r\n"
    "TMainFormMenu.MenuItem4=Kontakt\r\nTMainFormMenu.MenuItem5=Nach Updates suchen\r\n"
    "TMainFormMenu.MenuItem6=Nach Neuigkeiten suchen\r\nTMainFormMenu.MenuItem7=Sprache\r\n"
    "TMainFormMenu.MenuItem8=Info\r\nTfrmMenuProbe.Caption=Hauptfenster\r\n"
    "TfrmAbout.Caption=Info\r\nTfrmAbout.lblver.Caption=Aktuelle Version:\r\n"
    "TfrmAbout.lblEmail.caption=E-Mail-Support:\r\n"
    "[Lang]\r\nNativeLanguage=Deutsch\r\nTranslator=Anna Schmidt\r\n";
// A file whose language has no native name and no translator.
constexpr char kPlain[] = "[Translation]\r\nTMainFormMenu.MenuItem1=Help\r\n";

// A main window in miniature: a menu that is built at every translation,
// as the program's main window does.
class TfrmMenuProbe : public TfrmBase {
public:
    explicit TfrmMenuProbe(TMainFormMenu& menu) : TfrmBase(L"TfrmMenuProbe"), menu_(menu) {}
    TOrixPopupMenu* sysMenu = nullptr;
    int translations = 0;

    void TranslateForm() override {
        TfrmBase::TranslateForm();
        ++translations;
        if (sysMenu) menu_.Build(*sysMenu);
    }

protected:
    void CreateComponents() override { sysMenu = &Add<TOrixPopupMenu>({L"sysMenu", 25}); }

private:
    TMainFormMenu& menu_;
};

std::vector<std::wstring> Captions(TOrixMenuItem& items) {
    std::vector<std::wstring> out;
    for (int i = 0; i < items.Count(); ++i) out.push_back(items.Item(i).Separator ? L"-" : items.Item(i).Caption);
    return out;
}

// Chooses an item as the menu does: its check mark first, then its handler
// from a copy (the handler may rebuild the menu).
void Choose(TOrixMenuItem& item) {
    item.ApplyAutoCheck();
    const auto click = item.OnClick;
    ASSERT_TRUE(click);
    click(item);
}

std::wstring StoredSetting(const std::wstring& file, const wchar_t* key) {
    wchar_t value[64] = {};
    GetPrivateProfileStringW(L"General", key, L"<none>", value, 64, file.c_str());
    return value;
}

class MainFormMenuTest : public UiLanguageTest {
protected:
    void SetUp() override {
        UiLanguageTest::SetUp();
        WriteLanguage(L"English", kEnglish);
        WriteLanguage(L"Deutsch", kGerman);
        WriteLanguage(L"Plain", kPlain);
        AppConfig.Language = L"Deutsch";
        UseLanguage(L"Deutsch");
    }

    bool Make(TfrmMenuProbe& form) {
        TOrixForm::CreateArgs args;
        args.caption = L"Design caption";
        args.clientWidth = 300;
        args.clientHeight = 200;
        args.position = POINT{100, 100};
        return form.CreateForm(args);
    }

    TMainFormMenu menu_;
};

}  // namespace

TEST_F(MainFormMenuTest, EveryBuildMakesTheEightItemsWithSeparatorsShortcutAndCheckMarks) {
    for (const bool news : {false, true}) {
        SCOPED_TRACE(news ? "news on, updates off" : "news off, updates on");
        AppConfig.CheckNews = news;
        AppConfig.AutoUpdate = !news;
        TOrixPopupMenu popup;
        popup.Create({L"sysMenu", 25});
        // Built twice: the second build replaces the first one's items.
        menu_.Build(popup);
        menu_.Build(popup);
        TOrixMenuItem& items = popup.Items();
        EXPECT_EQ(Captions(items),
                  (std::vector<std::wstring>{L"Online-Hilfe", L"Forum", L"Startseite", L"Kontakt", L"-",
                                             L"Nach Updates suchen", L"Nach Neuigkeiten suchen", L"Sprache", L"-",
                                             L"Info"}));
        const std::vector<intptr_t> tags = {1, 2, 3, 4, 0, 5, 6, 7, 0, 8};
        for (int i = 0; i < items.Count(); ++i) {
            EXPECT_EQ(items.Item(i).Separator, tags[i] == 0) << i;
            if (tags[i]) {
                EXPECT_EQ(items.Item(i).Tag, tags[i]) << i;
            }
            EXPECT_EQ(items.Item(i).ShortCut, i == 0 ? L"F1" : L"") << i;
        }
        EXPECT_EQ(items.Item(5).Checked, !news);  // Check for Updates
        EXPECT_EQ(items.Item(6).Checked, news);   // Check for News
        EXPECT_EQ(TMainFormMenu::FindShortCut(popup, L"F1"), &items.Item(0));
        EXPECT_EQ(TMainFormMenu::FindShortCut(popup, L"F2"), nullptr);
    }
}

TEST_F(MainFormMenuTest, TheLanguageListShowsNativeNamesAndChecksOnlyTheActiveFile) {
    TOrixPopupMenu popup;
    popup.Create({L"sysMenu", 25});
    menu_.Build(popup);
    TOrixMenuItem& languages = popup.Items().Item(7);
    ASSERT_EQ(languages.Count(), 3);
    int checked = 0;
    for (int i = 0; i < languages.Count(); ++i) {
        const TOrixMenuItem& item = languages.Item(i);
        SCOPED_TRACE(item.Value);
        EXPECT_TRUE(item.RadioItem);
        EXPECT_TRUE(item.AutoCheck);
        EXPECT_EQ(item.Checked, item.Value == L"Deutsch");
        checked += item.Checked ? 1 : 0;
        const std::wstring shown = item.Value == L"English" ? L"English" : item.Value == L"Deutsch" ? L"Deutsch" : L"Plain";
        EXPECT_EQ(item.Caption, shown);  // a file without a native name shows its own name
    }
    EXPECT_EQ(checked, 1);
}

TEST_F(MainFormMenuTest, WithoutLanguageFilesTheLanguageItemHasNoSubMenu) {
    for (const wchar_t* name : {L"English", L"Deutsch", L"Plain"}) DeleteFileW(LanguagePath(name).c_str());
    TOrixPopupMenu popup;
    popup.Create({L"sysMenu", 25});
    menu_.Build(popup);
    EXPECT_EQ(popup.Items().Item(7).Count(), 0);
    EXPECT_FALSE(popup.Items().Item(7).HasSubMenu());
}

TEST_F(MainFormMenuTest, TheTwoSwitchesFlipTheirMarkAndAreStoredAtOnce) {
    struct Case {
        int position;
        bool before;
        const wchar_t* key;
        bool TAppConfig::*setting;
    };
    const Case cases[] = {{6, false, L"CheckNews", &TAppConfig::CheckNews},
                          {6, true, L"CheckNews", &TAppConfig::CheckNews},
                          {5, true, L"AutoUpdate", &TAppConfig::AutoUpdate},
                          {5, false, L"AutoUpdate", &TAppConfig::AutoUpdate}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::wstring(c.key) + (c.before ? L" on" : L" off"));
        DeleteFileW(SettingsFile().c_str());
        AppConfig.*c.setting = c.before;
        TOrixPopupMenu popup;
        popup.Create({L"sysMenu", 25});
        menu_.Build(popup);
        TOrixMenuItem& item = popup.Items().Item(c.position);
        ASSERT_EQ(item.Checked, c.before);
        Choose(item);
        EXPECT_EQ(item.Checked, !c.before);
        EXPECT_EQ(AppConfig.*c.setting, !c.before);
        EXPECT_EQ(StoredSetting(SettingsFile(), c.key), c.before ? L"0" : L"1");
    }
}

TEST_F(MainFormMenuTest, ChoosingALanguageSwitchesTranslatesTheWindowAndRebuildsTheMenu) {
    TfrmMenuProbe form(menu_);
    ASSERT_TRUE(Make(form));
    EXPECT_EQ(form.Caption(), L"Hauptfenster");
    const int before = form.translations;
    TOrixMenuItem& languages = form.sysMenu->Items().Item(7);
    TOrixMenuItem* english = nullptr;
    for (int i = 0; i < languages.Count(); ++i)
        if (languages.Item(i).Value == L"English") english = &languages.Item(i);
    ASSERT_NE(english, nullptr);
    Choose(*english);  // the item is gone afterwards

    EXPECT_EQ(form.translations, before + 1);
    EXPECT_EQ(form.Caption(), L"Main window");
    EXPECT_EQ(AppConfig.Language, L"English");
    EXPECT_EQ(StoredSetting(SettingsFile(), L"Language"), L"English");
    EXPECT_EQ(LanguageFilePath(), LanguagePath(L"English"));
    TOrixMenuItem& rebuilt = form.sysMenu->Items();
    EXPECT_EQ(rebuilt.Item(0).Caption, L"Online Help");
    EXPECT_EQ(rebuilt.Item(9).Caption, L"About");
    for (int i = 0; i < rebuilt.Item(7).Count(); ++i)
        EXPECT_EQ(rebuilt.Item(7).Item(i).Checked, rebuilt.Item(7).Item(i).Value == L"English");
}

TEST_F(MainFormMenuTest, AnAddedItemStandsAfterLanguageAndRunsItsHandler) {
    int runs = 0;
    menu_.AddExtraItem(L"TMainFormMenu.History", L"History", [&runs] { ++runs; });
    TOrixPopupMenu popup;
    popup.Create({L"sysMenu", 25});
    menu_.Build(popup);
    EXPECT_EQ(Captions(popup.Items()),
              (std::vector<std::wstring>{L"Online-Hilfe", L"Forum", L"Startseite", L"Kontakt", L"-",
                                         L"Nach Updates suchen", L"Nach Neuigkeiten suchen", L"Sprache", L"History",
                                         L"-", L"Info"}));
    Choose(popup.Items().Item(8));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(popup.Items().Item(10).Tag, TMainFormMenu::About);
}

TEST_F(MainFormMenuTest, TheAboutBoxShowsVersionAddressesAndEveryTranslatorOnce) {
    WriteLanguage(L"Zweites", "[Lang]\r\nTranslator=Anna Schmidt\r\n");
    TfrmAbout about;
    ASSERT_TRUE(about.CreateAbout(nullptr));
    EXPECT_EQ(about.VersionText(), L"1.02.50");
    EXPECT_EQ(about.Caption(), L"Info");
    EXPECT_NE(about.SupportAddress().find(L'@'), std::wstring::npos);
    EXPECT_EQ(about.WebAddress().rfind(L"http", 0), 0u);
    // Both files' translators, each once, in the order the folder lists them.
    const std::wstring thanks = about.Acknowledgements();
    EXPECT_NE(thanks.find(L"Brivo team"), std::wstring::npos) << thanks;
    EXPECT_NE(thanks.find(L"Anna Schmidt"), std::wstring::npos) << thanks;
    EXPECT_EQ(thanks.find(L"Anna Schmidt"), thanks.rfind(L"Anna Schmidt")) << thanks;
    EXPECT_EQ(thanks, GatherTranslatorNames());
}

TEST(TranslatorCreditsTest, NamesAreJoinedOnceEachWithoutBlanks) {
    EXPECT_EQ(JoinTranslatorNames({}), L"");
    EXPECT_EQ(JoinTranslatorNames({L"A", L"", L"  ", L"B", L"A", L"a"}), L"A, B, a");
    EXPECT_EQ(JoinTranslatorNames({L"Иван", L"李明"}), L"Иван, 李明");
}
