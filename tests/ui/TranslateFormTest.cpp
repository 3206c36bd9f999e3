// The base window's translation: the language's font on the window, its
// frame and every skinned button and label, the captions by class and
// component name, and the Tag size rules, which must give the same sizes
// however often the window is translated.
#include <gtest/gtest.h>

#include "UiLanguageTest.h"
#include "app/LanguageSwitch.h"
#include "ui/FrmBase.h"
#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixDpi.h"
#include "ui/toolkit/OrixEdit.h"
#include "ui/toolkit/OrixLabel.h"
#include "ui/toolkit/ToolkitTestSupport.h"

namespace {

// A window like the program's: plain and bold buttons and labels, a link,
// an edit box (not translated) and a control whose text is not in the file.
class TfrmTranslateProbe : public TfrmBase {
public:
    TfrmTranslateProbe() : TfrmBase(L"TfrmTranslateProbe") {}

    TOrixButton* plainButton = nullptr;
    TOrixButton* boldButton = nullptr;      // Tag 3
    TOrixButton* adapterButton = nullptr;   // bold, Tag holds a pointer
    TOrixLabel* plainLabel = nullptr;
    TOrixLabel* boldLabel = nullptr;        // Tag 2
    TOrixLabel* untranslated = nullptr;
    TOrixEdit* edit = nullptr;

protected:
    void CreateComponents() override {
        plainButton = &AddButton(L"btnPlain", L"Plain", 20, 0, false);
        boldButton = &AddButton(L"btn5", L"All", 60, 3, true);
        static int adapter = 0;
        adapterButton = &AddButton(L"btnBrowser", L"Browser", 100, reinterpret_cast<intptr_t>(&adapter), true);
        plainLabel = &AddLabel(L"lbl1", L"%d plug-ins were found", 140, 0, false);
        boldLabel = &AddLabel(L"lblTitle", L"Title", 170, 2, true);
        untranslated = &AddLabel(L"lblKeep", L"Design text", 200, 0, false);
        TOrixEdit::CreateArgs e;
        e.name = L"fxdtnk";
        e.caption = L"Nickname";
        e.bounds = {200, 40, 150, 26};
        edit = &Add<TOrixEdit>(e);
    }

private:
    TOrixButton& AddButton(const wchar_t* name, const wchar_t* caption, int top, intptr_t tag, bool bold) {
        TOrixButton::CreateArgs b;
        b.name = name;
        b.caption = caption;
        b.bounds = {20, top, 150, 30};
        b.tag = tag;
        auto& button = Add<TOrixButton>(b);
        for (TOrixFont* f : {&button.FontNormal, &button.FontOver, &button.FontDown, &button.FontDisable,
                             &button.FontFocus, &button.FontSelect})
            f->SetBold(bold);
        return button;
    }
    TOrixLabel& AddLabel(const wchar_t* name, const wchar_t* caption, int top, intptr_t tag, bool bold) {
        TOrixLabel::CreateArgs l;
        l.name = name;
        l.caption = caption;
        l.bounds = {20, top, 170, 20};
        l.tag = tag;
        auto& label = Add<TOrixLabel>(l);
        for (TOrixFont* f : {&label.Font, &label.FontOver, &label.FontDown, &label.FontDisable}) f->SetBold(bold);
        return label;
    }
};

std::vector<int> Sizes(TOrixButton& b) {
    return {b.FontNormal.Size(), b.FontOver.Size(), b.FontDown.Size(),
            b.FontDisable.Size(), b.FontFocus.Size(), b.FontSelect.Size()};
}
std::vector<int> Sizes(TOrixLabel& l) {
    return {l.Font.Size(), l.FontOver.Size(), l.FontDown.Size(), l.FontDisable.Size()};
}
std::vector<int> Same(int size, size_t count) { return std::vector<int>(count, size); }

// The character height GDI is asked for at 96 DPI.
int GdiHeight(const TOrixFont& font) {
    LOGFONTW logFont = {};
    GetObjectW(font.Handle(kDesignDpi), sizeof(logFont), &logFont);
    return -logFont.lfHeight;
}

constexpr char kTenPoint[] =
    "DefaultFont=Verdana\r\nDefaultFontSize=10\r\nDefaultCharset=EASTEUROPE_CHARSET\r\n"
    "TfrmTranslateProbe.Caption=Probe window\r\n"
    "TfrmTranslateProbe.btnPlain.Caption=Plain translated\r\n"
    "tfrmtranslateprobe.BTN5.caption=Everything\r\n"
    "TfrmTranslateProbe.lbl1.Caption=%d add-ons\r\n"
    "TfrmTranslateProbe.lblTitle.Caption=Heading\r\n";

constexpr char kTwelvePoint[] =
    "DefaultFont=Tahoma\r\nDefaultFontSize=12\r\nDefaultCharset=RUSSIAN_CHARSET\r\n"
    "TfrmTranslateProbe.Caption=Second language\r\n"
    "TfrmTranslateProbe.btnPlain.Caption=Plain again\r\n"
    "TfrmTranslateProbe.btn5.Caption=All of them\r\n"
    "TfrmTranslateProbe.lbl1.Caption=%d found\r\n";

class TranslateFormTest : public UiLanguageTest {
protected:
    void SetUp() override {
        UiLanguageTest::SetUp();
        WriteLanguageFile(L"Ten", kTenPoint);
        WriteLanguageFile(L"Twelve", kTwelvePoint);
    }

    bool Make(TfrmTranslateProbe& form) {
        TOrixForm::CreateArgs args;
        args.caption = L"Design caption";
        args.clientWidth = 400;
        args.clientHeight = 260;
        args.position = POINT{120, 120};
        return form.CreateForm(args);
    }

    // What a fresh window in `language` looks like, to compare with.
    void ExpectTenPointWindow(TfrmTranslateProbe& form) {
        EXPECT_EQ(form.Caption(), L"Probe window");
        EXPECT_EQ(form.Font().Size(), 10);
        EXPECT_EQ(form.Font().Name(), L"Verdana");
        EXPECT_EQ(form.Font().Charset(), EASTEUROPE_CHARSET);
        EXPECT_EQ(form.Frame().CaptionFont.Size(), 10);
        EXPECT_TRUE(form.Frame().CaptionFont.Bold());  // style stays
        EXPECT_EQ(form.Frame().CaptionFont.Color(), RGB(255, 255, 255));

        EXPECT_EQ(Sizes(*form.plainButton), Same(10, 6));
        EXPECT_EQ(GdiHeight(form.plainButton->FontNormal), 13);
        EXPECT_EQ(form.plainButton->FontNormal.Name(), L"Verdana");
        EXPECT_EQ(form.plainButton->FontSelect.Charset(), EASTEUROPE_CHARSET);
        EXPECT_EQ(form.plainButton->Caption(), L"Plain translated");
        EXPECT_EQ(Sizes(*form.boldButton), Same(13, 6));  // 10 + Tag 3
        EXPECT_EQ(form.boldButton->Caption(), L"Everything");
        EXPECT_EQ(Sizes(*form.adapterButton), Same(10, 6));

        EXPECT_EQ(Sizes(*form.plainLabel), Same(10, 4));
        EXPECT_EQ(form.plainLabel->Caption(), L"%d add-ons");
        // Only the bold label's own font grows: 2 + 10.
        EXPECT_EQ(Sizes(*form.boldLabel), (std::vector<int>{12, 10, 10, 10}));
        EXPECT_EQ(GdiHeight(form.boldLabel->Font), 16);
        EXPECT_TRUE(form.boldLabel->Font.Bold());
        EXPECT_EQ(form.boldLabel->Caption(), L"Heading");
        EXPECT_EQ(form.untranslated->Caption(), L"Design text");
        EXPECT_EQ(form.edit->Caption(), L"Nickname");
        // Screen readers read the window text.
        wchar_t text[64] = {};
        GetWindowTextW(form.boldButton->Handle(), text, 64);
        EXPECT_STREQ(text, L"Everything");
    }
};

TEST_F(TranslateFormTest, TenPointFileGivesTenPointControlsAndTheSameSizesOnEveryRun) {
    UseLanguage(L"Ten");
    TfrmTranslateProbe form;
    ASSERT_TRUE(Make(form));
    ExpectTenPointWindow(form);
    form.TranslateForm();
    ExpectTenPointWindow(form);
    form.TranslateForm();
    ExpectTenPointWindow(form);
}

TEST_F(TranslateFormTest, LanguageSwitchesRetranslateAndEndAsAFreshStartWould) {
    UseLanguage(L"Ten");
    TfrmTranslateProbe form;
    ASSERT_TRUE(Make(form));
    form.Show();

    SwitchLanguage(L"Twelve", form.Handle());
    EXPECT_EQ(form.Caption(), L"Second language");
    EXPECT_EQ(form.Font().Charset(), RUSSIAN_CHARSET);
    EXPECT_EQ(form.Font().Name(), L"Tahoma");
    EXPECT_EQ(Sizes(*form.plainButton), Same(12, 6));
    EXPECT_EQ(Sizes(*form.boldButton), Same(15, 6));
    EXPECT_EQ(Sizes(*form.boldLabel), (std::vector<int>{14, 12, 12, 12}));
    EXPECT_EQ(form.plainButton->Caption(), L"Plain again");
    // Missing from the second file: the first one's text stays.
    EXPECT_EQ(form.boldLabel->Caption(), L"Heading");

    SwitchLanguage(L"Ten", form.Handle());
    ExpectTenPointWindow(form);
    SwitchLanguage(L"Twelve", form.Handle());
    SwitchLanguage(L"Ten", form.Handle());
    ExpectTenPointWindow(form);

    TfrmTranslateProbe fresh;
    ASSERT_TRUE(Make(fresh));
    for (size_t i = 0; i < form.ComponentCount(); ++i)
        EXPECT_EQ(form.Component(i).Caption(), fresh.Component(i).Caption()) << i;
}

TEST_F(TranslateFormTest, WithoutALanguageFileTheWindowKeepsItsTextsInTahomaEight) {
    UseLanguage(L"Missing");
    TfrmTranslateProbe form;
    ASSERT_TRUE(Make(form));
    EXPECT_EQ(form.Caption(), L"Design caption");
    EXPECT_EQ(form.Font().Name(), L"Tahoma");
    EXPECT_EQ(Sizes(*form.plainButton), Same(8, 6));
    EXPECT_EQ(Sizes(*form.boldButton), Same(11, 6));
    EXPECT_EQ(form.boldLabel->Font.Size(), 10);
    EXPECT_EQ(form.plainButton->Caption(), L"Plain");
    EXPECT_EQ(form.boldLabel->Caption(), L"Title");
}

TEST_F(TranslateFormTest, TheWindowGetsTheSkinsFrame) {
    UseLanguage(L"Ten");
    TfrmTranslateProbe form;
    ASSERT_TRUE(Make(form));
    EXPECT_FALSE(form.Frame().TitlePicture.Empty());
    EXPECT_FALSE(form.Frame().CloseButton.Empty());
    EXPECT_FALSE(form.Frame().Logo.Empty());
    EXPECT_TRUE(form.Frame().ShowMenuButton);
    form.Show();
    PumpFor(200);
    // The title bar is the accent colour, the body white.
    const COLORREF title = PixelAt(form.Handle(), form.Scale(200), form.Scale(4));
    EXPECT_LT(GetRValue(title), 0x40);
    EXPECT_GT(GetBValue(title), 0xC0);
    EXPECT_EQ(PixelAt(form.Handle(), form.Scale(390), form.Scale(250)), RGB(255, 255, 255));
}

}  // namespace
