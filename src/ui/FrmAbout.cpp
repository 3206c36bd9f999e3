#include "ui/FrmAbout.h"

#include "app/TranslatorCredits.h"
#include "net/MakerAddresses.h"
#include "platform/ShellHelpers.h"
#include "platform/UniqueHandles.h"
#include "platform/VersionInfo.h"
#include "ui/ImgModule.h"

namespace {

constexpr wchar_t kClassName[] = L"TfrmAbout";
constexpr int kDesignWidth = 500;
constexpr int kDesignHeight = 289;
constexpr COLORREF kBlack = OrixRgb(0x000000);
constexpr COLORREF kText = OrixRgb(0x383838);
constexpr COLORREF kLink = OrixRgb(0x1A66A2);
constexpr COLORREF kLinkHover = OrixRgb(0x0DA2E7);
constexpr COLORREF kWhite = OrixRgb(0xFFFFFF);
// The program's icon stands left of the version lines.
constexpr TOrixBounds kIconBounds = {40, 70, 64, 64};

}  // namespace

TfrmAbout::TfrmAbout() : TfrmBase(kClassName) {}

bool TfrmAbout::CreateAbout(TOrixForm* owner) {
    CreateArgs args = OwnedWindowArgs(L"frmAbout", L"About", kDesignWidth, kDesignHeight, owner);
    args.menuButton = true;
    args.minimizeButton = true;
    return CreateForm(args);
}

TOrixLabel& TfrmAbout::AddLabel(const wchar_t* name, const TOrixBounds& bounds, const std::wstring& caption,
                                COLORREF color) {
    TOrixLabel::CreateArgs a;
    a.name = name;
    a.bounds = bounds;
    a.caption = caption;
    TOrixLabel& label = Add<TOrixLabel>(a);
    for (TOrixFont* font : {&label.Font, &label.FontOver, &label.FontDown, &label.FontDisable}) font->SetColor(color);
    return label;
}

void TfrmAbout::MakeLink(TOrixLabel& label) {
    label.FontOver.SetColor(kLinkHover);
    label.FontOver.SetUnderline(true);
}

void TfrmAbout::CreateComponents() {
    lblver = &AddLabel(L"lblver", {137, 84, 100, 16}, L"Current Version:", kBlack);
    lblverinfo = &AddLabel(L"lblverinfo", {243, 84, 217, 16}, L"", kBlack);
    lblemail = &AddLabel(L"lblemail", {137, 102, 100, 16}, L"Email Support:", kText);

    // The addresses are no texts of the language file; their labels are
    // made as links, which the translation leaves alone apart from the font.
    TOrixLabel::CreateArgs support;
    support.name = L"lblsupport";
    support.bounds = {243, 102, 217, 16};
    support.caption = SupportMailAddress();
    support.link = true;
    lblsupport = &Add<TOrixLabel>(support);
    lblsupport->OnClick = [this](TOrixControl&) { lblsupportclick(); };

    lblhome = &AddLabel(L"lblhome", {137, 120, 100, 16}, L"Official Homepage:", kText);

    TOrixLabel::CreateArgs web;
    web.name = L"lblweb";
    web.bounds = {243, 120, 217, 16};
    web.caption = WebSiteAddress();
    web.link = true;
    lblweb = &Add<TOrixLabel>(web);
    lblweb->OnClick = [this](TOrixControl&) { lblwebclick(); };

    lblthanks = &AddLabel(L"lblthanks", {22, 147, 451, 20}, L"Acknowledgements to the following:", kText);

    TOrixRichEdit::CreateArgs memo;
    memo.name = L"mmo1";
    memo.bounds = {22, 173, 451, 71};
    memo.border = true;
    memo.scrollBar = false;
    mmo1 = &Add<TOrixRichEdit>(memo);

    TOrixButton::CreateArgs ok;
    ok.name = L"btnOk";
    ok.bounds = {394, 250, 82, 25};
    ok.caption = L"OK";
    ok.picture = ImgModule().Picture(SkinPictureId::MessageButton);
    btnOk = &Add<TOrixButton>(ok);
    btnOk->OnClick = [this](TOrixControl&) { btnOkClick(); };
}

void TfrmAbout::FormCreate() {
    TfrmBase::FormCreate();
    // The link colours and the button's white text over the language's font.
    for (TOrixLabel* link : {lblsupport, lblweb}) {
        for (TOrixFont* font : {&link->Font, &link->FontDown, &link->FontDisable}) font->SetColor(kLink);
        MakeLink(*link);
    }
    for (TOrixFont* font : {&btnOk->FontNormal, &btnOk->FontOver, &btnOk->FontDown, &btnOk->FontFocus,
                            &btnOk->FontSelect, &btnOk->FontDisable})
        font->SetColor(kWhite);

    lblverinfo->SetCaption(ProgramDisplayVersion());

    // The names may be written in any script: the language's font, italic.
    mmo1->Font.CopyFrom(Font());
    mmo1->Font.SetItalic(true);
    mmo1->Font.SetColor(kText);
    mmo1->BorderColor = OrixRgb(0xE9E9E9);
    mmo1->ApplyFont();
    mmo1->SetText(GatherTranslatorNames());

    OnPaintBackground = [](TOrixForm&, TOrixCanvas& canvas) {
        const RECT r = {canvas.Scale(kIconBounds.left), canvas.Scale(kIconBounds.top),
                        canvas.Scale(kIconBounds.left + kIconBounds.width),
                        canvas.Scale(kIconBounds.top + kIconBounds.height)};
        // The program's icon is the first icon resource of the module.
        const UniqueIcon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1),
                                                            IMAGE_ICON, r.right - r.left, r.bottom - r.top,
                                                            LR_DEFAULTCOLOR)));
        if (icon)
            DrawIconEx(canvas.Dc(), r.left, r.top, icon.get(), r.right - r.left, r.bottom - r.top, 0, nullptr,
                       DI_NORMAL);
    };
    btnOk->SetFocus();
}

void TfrmAbout::btnOkClick() { Close(); }

void TfrmAbout::lblsupportclick() { OpenUrl(Handle(), L"mailto:" + lblsupport->Caption()); }

void TfrmAbout::lblwebclick() { OpenUrl(Handle(), lblweb->Caption()); }
