#include "Gallery.h"

#include <string>

#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixComboBox.h"
#include "ui/toolkit/OrixEdit.h"
#include "ui/toolkit/OrixImage.h"
#include "ui/toolkit/OrixImageList.h"
#include "ui/toolkit/OrixLabel.h"
#include "ui/toolkit/OrixListView.h"
#include "ui/toolkit/OrixPanel.h"
#include "ui/toolkit/OrixRichEdit.h"
#include "ui/toolkit/OrixScrollBar.h"

namespace {

constexpr COLORREF kSideColor = OrixRgb(0x2B3A4A);
constexpr COLORREF kAccent = OrixRgb(0x1695E6);

// What the gallery's list keeps per row, as the main window will.
struct DemoRow : TOrixRowData {
    std::wstring name;
    std::wstring description;
    double rating = 0;
    bool disabled = false;
    RECT toggle = {};
    RECT remove = {};
    RECT rating_area = {};
};

void SetAllFonts(TOrixButton& button, COLORREF color, bool bold = false) {
    for (TOrixFont* f : {&button.FontNormal, &button.FontOver, &button.FontDown, &button.FontFocus, &button.FontSelect,
                         &button.FontDisable}) {
        f->SetColor(color);
        f->SetBold(bold);
    }
    button.FontDisable.SetColor(OrixRgb(0x6C7177));
}

TOrixLabel& AddLabel(TOrixForm& form, const wchar_t* name, const std::wstring& text, TOrixBounds bounds,
                     COLORREF color = OrixRgb(0x383838), bool bold = false) {
    TOrixLabel::CreateArgs a;
    a.name = name;
    a.caption = text;
    a.bounds = bounds;
    auto& label = form.Add<TOrixLabel>(a);
    label.Font.SetColor(color);
    label.Font.SetBold(bold);
    return label;
}

int StateAt(const RECT& rect, POINT mouse, bool down) {
    if (!PtInRect(&rect, mouse)) return 0;
    return down ? 2 : 1;
}

}  // namespace

Gallery::Gallery(int pictureScale) : pictures_(MakeStandInPictures(pictureScale)) {}

bool Gallery::Create() {
    TOrixForm::CreateArgs args;
    args.name = L"frmGallery";
    args.caption = L"Control gallery";
    args.clientWidth = 960;
    args.clientHeight = 640;
    args.minimizeButton = true;
    args.resizable = true;
    if (!form_.Create(args)) return false;
    form_.Frame().Logo = pictures_.logo;
    form_.Frame().MenuButton = pictures_.menuButton;
    form_.Frame().MinimizeButton = pictures_.minimizeButton;
    form_.Frame().CloseButton = pictures_.closeButton;
    form_.Frame().MenuHint = L"Menu";
    form_.Frame().MinimizeHint = L"Minimize";
    form_.Frame().CloseHint = L"Close";
    form_.RefreshFrame();
    form_.OnLimitSize = [](TOrixForm&, int& w, int& h) {
        w = std::max(w, 700);
        h = std::max(h, 500);
    };
    form_.OnPaintBackground = [](TOrixForm& self, TOrixCanvas& canvas) {
        const RECT client = self.ClientRect();
        canvas.Fill({1, canvas.Scale(30), canvas.Scale(178), client.bottom - 1}, kSideColor);
    };
    form_.OnDestroy = [](TOrixForm&) { PostQuitMessage(0); };
    messageBox_.ButtonPicture = pictures_.button;
    messageBox_.Icons = pictures_.messageIcons;
    messageBox_.Logo = pictures_.logo;
    messageBox_.CloseButton = pictures_.closeButton;

    AddMenu();
    AddBrowserColumn();
    AddButtons();
    AddList();
    AddLabels();
    AddInputs();
    AddPictures();
    return true;
}

void Gallery::AddMenu() {
    TOrixPopupMenu::CreateArgs a;
    a.name = L"sysMenu";
    menu_ = &form_.Add<TOrixPopupMenu>(a);
    TOrixMenuItem& items = menu_->Items();
    items.Add(L"Online Help").ShortCut = L"F1";
    items.Add(L"Forum");
    items.Add(L"Homepage");
    items.Add(L"Contact Us").Enabled = false;
    items.AddSeparator();
    TOrixMenuItem& updates = items.Add(L"Check for Updates");
    updates.AutoCheck = true;
    updates.Checked = true;
    items.Add(L"Check for News").AutoCheck = true;
    TOrixMenuItem& languages = items.Add(L"&Language");
    for (const wchar_t* name : {L"English", L"Deutsch", L"Fran\x00E7" L"ais", L"\x4E2D\x6587"}) {
        TOrixMenuItem& language = languages.Add(name);
        language.RadioItem = true;
        language.AutoCheck = true;
        language.Checked = std::wstring(name) == L"English";
    }
    items.AddSeparator();
    items.Add(L"About");
    form_.SetMenu(menu_);
}

void Gallery::OpenMenuForShow() {
    // Down to "Language" and into its sub-menu, as keys would.
    for (int i = 0; i < 6; ++i) PostMessageW(form_.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(form_.Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    PostMessageW(form_.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    RECT frame = form_.Frame().ButtonRect(TOrixFrameButton::Menu, form_.ClientWidth(), form_.Dpi());
    POINT below = {frame.left, frame.bottom};
    ClientToScreen(form_.Handle(), &below);
    menu_->Popup(below.x, below.y);
}

int Gallery::AskQuestion() {
    return messageBox_.Show(form_.Handle(), L"Confirm", L"Are you sure to delete this plug-in?",
                            TOrixMessageButtons::YesNo, TOrixMessageIcon::Warning);
}

void Gallery::AddBrowserColumn() {
    const wchar_t* names[] = {L"Google Chrome", L"Internet Explorer", L"Mozilla Firefox", L"Opera"};
    const TOrixButtonState states[] = {TOrixButtonState::Selected, TOrixButtonState::Hover, TOrixButtonState::Pressed,
                                       TOrixButtonState::Disabled};
    for (int i = 0; i < 4; ++i) {
        TOrixButton::CreateArgs a;
        a.name = L"btnB" + std::to_wstring(i + 1);
        a.caption = names[i];
        a.bounds = {5, 35 + 50 * i, 171, 50};
        a.picture = pictures_.browserFace;
        a.captionAlign = TOrixTextAlign::Left;
        a.captionLeft = 50;
        a.enabled = i != 3;
        auto& b = form_.Add<TOrixButton>(a);
        SetAllFonts(b, OrixRgb(0xFFFFFF));
        b.PinState(states[i]);
        const TOrixStrip icon = pictures_.browserIcon;
        const bool isDefault = i == 0;
        b.OnPaintExtra = [icon, isDefault](TOrixButton& self, TOrixCanvas& canvas) {
            canvas.Picture(icon, 0, {canvas.Scale(10), canvas.Scale(9), canvas.Scale(42), canvas.Scale(41)});
            if (!isDefault) return;
            TOrixFont mark = self.FontNormal;
            mark.SetColor(OrixRgb(0x848484));
            canvas.Text(L"(Default)", {canvas.Scale(60), canvas.Scale(33), self.ClientWidth(), self.ClientHeight()},
                        mark, DT_SINGLELINE | DT_NOPREFIX);
        };
    }
    const TOrixButtonState socialStates[] = {TOrixButtonState::Normal, TOrixButtonState::Hover,
                                             TOrixButtonState::Pressed};
    const wchar_t* hints[] = {L"Follow us on Facebook", L"Follow us on Twitter", L"Share it with your friends",
                              L"Home Page"};
    for (int i = 0; i < 4; ++i) {
        TOrixButton::CreateArgs a;
        a.name = L"btnSocial" + std::to_wstring(i + 1);
        a.bounds = {10 + 26 * i, 560, 20, 20};
        a.picture = pictures_.social;
        a.hint = hints[i];
        a.anchors = AnchorLeft | AnchorBottom;
        auto& b = form_.Add<TOrixButton>(a);
        if (i < 3) b.PinState(socialStates[i]);
    }
    AddLabel(form_, L"lbl2", L"Current Version: 1.02.50", {8, 590, 168, 18}, OrixRgb(0xFFFFFF)).SetAnchors(AnchorLeft | AnchorBottom);
    TOrixLabel::CreateArgs link;
    link.name = L"lbl3";
    link.caption = L"Check for Updates";
    link.bounds = {8, 610, 168, 18};
    link.link = true;
    link.anchors = AnchorLeft | AnchorBottom;
    auto& updates = form_.Add<TOrixLabel>(link);
    updates.Font.SetColor(OrixRgb(0xFFFFFF));
    updates.Font.SetUnderline(true);
    updates.FontOver = updates.Font;
    updates.FontOver.SetColor(kAccent);
    updates.FontDown = updates.FontOver;
}

void Gallery::AddButtons() {
    AddLabel(form_, L"lblButtons", L"Buttons", {190, 38, 80, 16}, OrixRgb(0x383838), true);
    const wchar_t* captions[] = {L"Normal", L"Hover", L"Pressed", L"Disabled", L"Focus"};
    const TOrixButtonState states[] = {TOrixButtonState::Normal, TOrixButtonState::Hover, TOrixButtonState::Pressed,
                                       TOrixButtonState::Disabled, TOrixButtonState::Normal};
    for (int i = 0; i < 5; ++i) {
        TOrixButton::CreateArgs a;
        a.name = std::wstring(L"btn") + captions[i];
        a.caption = captions[i];
        a.bounds = {270 + 90 * i, 34, 82, 25};
        a.picture = pictures_.button;
        a.enabled = i != 3;
        auto& b = form_.Add<TOrixButton>(a);
        SetAllFonts(b, OrixRgb(0xFFFFFF));
        if (i < 4) b.PinState(states[i]);
    }
    TOrixButton::CreateArgs ask;
    ask.name = L"btnAsk";
    ask.caption = L"Message box";
    ask.bounds = {720, 34, 100, 25};
    ask.picture = pictures_.button;
    auto& askButton = form_.Add<TOrixButton>(ask);
    SetAllFonts(askButton, OrixRgb(0xFFFFFF));
    auto& answer = AddLabel(form_, L"lblAnswer", L"", {828, 38, 120, 16});
    askButton.OnClick = [this, &answer](TOrixControl&) {
        answer.SetCaption(L"Answer: " + std::to_wstring(AskQuestion()));
    };

    const wchar_t* tabs[] = {L"All", L"Extensions", L"Plugins", L"Context Menu"};
    for (int i = 0; i < 4; ++i) {
        TOrixButton::CreateArgs a;
        a.name = L"btn" + std::to_wstring(5 + i);
        a.caption = tabs[i];
        a.bounds = {183 + 103 * i, 66, 102, 30};
        a.picture = pictures_.tab;
        a.tag = i == 3 ? 4 : i;
        a.enabled = i != 3;
        auto& tab = form_.Add<TOrixButton>(a);
        SetAllFonts(tab, OrixRgb(0x383838));
        tab.FontSelect.SetColor(OrixRgb(0xFFFFFF));
        tab.FontDisable.SetColor(OrixRgb(0xB0B0B0));
        tab.SetSelected(i == 0);
        if (i == 2) tab.PinState(TOrixButtonState::Hover);
        tab.OnClick = [this](TOrixControl& clicked) {
            for (int t = 5; t <= 8; ++t) {
                if (auto* other = dynamic_cast<TOrixButton*>(form_.FindComponent(L"btn" + std::to_wstring(t))))
                    other->SetSelected(other == &clicked);
            }
        };
    }
}

void Gallery::AddList() {
    TOrixListView::CreateArgs a;
    a.name = L"m_lstView";
    a.bounds = {183, 97, 500, 300};
    a.rowHeight = 70;
    a.anchors = AnchorAll;
    auto& list = form_.Add<TOrixListView>(a);
    list.SetColumns({280, 120, 100});
    list.SetRowPicture(pictures_.row);
    list.SetSelectionPicture(pictures_.selection);
    list.SetHeaderPicture(pictures_.header);
    TOrixScrollBarSkin skin;
    skin.thumb = pictures_.thumb;
    list.SetScrollBarSkin(skin);
    list.OnResize = [](TOrixControl& self) {
        auto& l = static_cast<TOrixListView&>(self);
        if (l.DesignClientWidth() > 260) l.SetColumnWidth(0, l.DesignClientWidth() - 220);
    };
    list.BeginUpdate();
    const wchar_t* names[] = {L"Adblock Helper", L"Password Keeper", L"Translate Page", L"Dark Reader",
                              L"Video Downloader", L"Shockwave Flash"};
    for (int i = 0; i < 60; ++i) {
        auto row = std::make_unique<DemoRow>();
        row->name = names[i % 6] + std::wstring(i >= 6 ? L" " + std::to_wstring(i / 6 + 1) : L"");
        row->description = L"Stand-in add-on number " + std::to_wstring(i + 1) + L", shown with a rating and switches";
        row->rating = (i * 7 % 51) / 10.0;
        row->disabled = i % 3 == 1;
        list.Rows().Add(L" ", std::move(row));
    }
    list.EndUpdate();
    list.SetSelected(1);
    const StandInPictures& p = pictures_;
    list.OnDrawRowBackground = [](TOrixListView&, TOrixCanvas& canvas, int index, const RECT& r) {
        if (index % 2 == 0) canvas.Fill(r, OrixRgb(0xEFEFEF));
    };
    list.OnDrawRow = [&p](TOrixListView& l, TOrixCanvas& c, int index, const RECT& r) {
        auto* row = l.Rows().DataAs<DemoRow>(index);
        if (!row) return;
        POINT mouse;
        GetCursorPos(&mouse);
        ScreenToClient(l.Handle(), &mouse);
        const bool down = (GetKeyState(VK_LBUTTON) & 0x8000) != 0;
        c.Picture(p.addon, 0, {r.left + c.Scale(10), r.top + c.Scale(11), r.left + c.Scale(58), r.top + c.Scale(59)});
        TOrixFont name;
        name.SetBold(true);
        c.Text(row->name, {c.Scale(68), r.top + c.Scale(16), l.ColumnRight(0), r.bottom},
               name, DT_SINGLELINE | DT_NOPREFIX);
        TOrixFont grey;
        grey.SetColor(OrixRgb(0x848484));
        c.Text(row->description, {c.Scale(68), r.top + c.Scale(36), l.ColumnRight(0), r.top + c.Scale(52)}, grey,
               DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        const int c1 = l.ColumnLeft(1);
        const int c1r = l.ColumnRight(1);
        row->rating_area = {c1 + c.Scale(10), r.top + c.Scale(17), c1 + c.Scale(110), r.top + c.Scale(52)};
        TOrixFont details;
        details.SetColor(kAccent);
        details.SetUnderline(PtInRect(&row->rating_area, mouse));
        c.Text(L"Details", {row->rating_area.left + c.Scale(2), row->rating_area.top + c.Scale(2),
                            row->rating_area.right, row->rating_area.bottom}, details, DT_SINGLELINE | DT_NOPREFIX);
        for (int i = 1; i <= 5; ++i) {
            const TOrixStrip& star = i <= row->rating ? p.starLit
                                   : (i - 1 < row->rating && row->rating < i) ? p.starHalf : p.starGrey;
            const int x = row->rating_area.left + c.Scale(2 + (i - 1) * 19);
            const int y = row->rating_area.top + c.Scale(20);
            c.Picture(star, 0, {x, y, x + c.Scale(15), y + c.Scale(15)});
        }
        row->toggle = {c1r + c.Scale(10), r.top + c.Scale(26), c1r + c.Scale(55), r.top + c.Scale(44)};
        c.Picture(row->disabled ? p.toggleOff : p.toggleOn, StateAt(row->toggle, mouse, down), row->toggle);
        row->remove = {c1r + c.Scale(60), r.top + c.Scale(25), c1r + c.Scale(78), r.top + c.Scale(43)};
        c.Picture(p.remove, StateAt(row->remove, mouse, down), row->remove);
    };
    list.OnRowMouseMove = [](TOrixListView& l, int x, int y, int index) {
        auto* row = l.Rows().DataAs<DemoRow>(index);
        if (!row) return;
        const POINT at = {x, y};
        const wchar_t* hint = PtInRect(&row->remove, at)        ? L"Delete"
                              : PtInRect(&row->toggle, at)      ? L"Disable"
                              : PtInRect(&row->rating_area, at) ? L"Details"
                                                                : nullptr;
        l.SetCursor(hint ? LoadCursorW(nullptr, IDC_HAND) : nullptr);
        if (hint) l.ShowHintAt(hint, at); else l.HideHint();
        l.InvalidateRow(index);
    };
    list.OnRowClick = [](TOrixListView& l, int index, int x, int y) {
        auto* row = l.Rows().DataAs<DemoRow>(index);
        const POINT at = {x, y};
        if (row && PtInRect(&row->toggle, at)) row->disabled = !row->disabled;
    };

    TOrixListView::CreateArgs e;
    e.name = L"lstEmpty";
    e.bounds = {690, 97, 240, 170};
    e.anchors = AnchorTop | AnchorRight;
    auto& empty = form_.Add<TOrixListView>(e);
    empty.OnDrawBackground = [&p](TOrixListView&, TOrixCanvas& c, const RECT& client) {
        const int w = c.Scale(100);
        const int x = (client.right - w) / 2;
        const int y = (client.bottom - w) / 2 - c.Scale(20);
        c.Picture(p.emptyList, 0, {x, y, x + w, y + w});
        TOrixFont font;
        font.SetColor(OrixRgb(0xBDBDBD));
        c.Text(L"This browser has not installed any plug-ins.", {0, y + w + c.Scale(10), client.right, client.bottom},
               font, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    };
    empty.Invalidate();

    TOrixScrollBar::CreateArgs s;
    s.name = L"sbStandAlone";
    s.bounds = {940, 97, 12, 170};
    s.anchors = AnchorTop | AnchorRight;
    auto& bar = form_.Add<TOrixScrollBar>(s);
    TOrixScrollBarSkin skin2;
    skin2.thumb = pictures_.thumb;
    bar.SetSkin(skin2);
    bar.SetRange(1000, 300);
    bar.SetPosition(350);
}

void Gallery::AddLabels() {
    const int top = 405;
    AddLabel(form_, L"lblLabels", L"Labels", {190, top, 80, 16}, OrixRgb(0x383838), true);
    AddLabel(form_, L"lblNormal", L"Normal label", {270, top, 110, 16});
    TOrixLabel::CreateArgs link;
    link.name = L"lblSetasdefault";
    link.caption = L"Set as default browser";
    link.bounds = {385, top, 150, 16};
    link.link = true;
    auto& setDefault = form_.Add<TOrixLabel>(link);
    setDefault.Font.SetColor(kAccent);
    setDefault.FontOver.SetColor(OrixRgb(0x000080));
    setDefault.FontOver.SetUnderline(true);
    setDefault.FontDown = setDefault.FontOver;
    auto& hovered = AddLabel(form_, L"lblHovered", L"Link under the mouse", {540, top, 140, 16}, OrixRgb(0x000080));
    hovered.Font.SetUnderline(true);
    auto& disabled = AddLabel(form_, L"lblDisabled", L"Disabled label", {690, top, 100, 16});
    disabled.FontDisable.SetColor(OrixRgb(0xB0B0B0));
    disabled.SetEnabled(false);
    auto& right = AddLabel(form_, L"lblRight", L"Right-aligned", {800, top, 150, 16});
    right.SetAlign(TOrixTextAlign::Right);
    auto& wrap = AddLabel(form_, L"lbl3Wrap",
                          L"A word-wrapped label keeps its width and breaks long text at the spaces between words.",
                          {690, 280, 240, 40});
    wrap.SetWordWrap(true);
    wrap.SetAnchors(AnchorTop | AnchorRight);
    auto& bold = AddLabel(form_, L"lblBold", L"Bold 13 px", {270, top + 20, 110, 18});
    bold.Font.SetHeight(13);
    bold.Font.SetBold(true);
}

void Gallery::AddInputs() {
    const int top = 450;
    AddLabel(form_, L"lblInputs", L"Text", {190, top + 5, 80, 16}, OrixRgb(0x383838), true);
    TOrixEdit::CreateArgs e;
    e.name = L"fxdtnk";
    e.caption = L"Nickname";
    e.bounds = {270, top, 200, 26};
    form_.Add<TOrixEdit>(e);
    TOrixComboBox::CreateArgs c;
    c.name = L"cbb1";
    c.bounds = {480, top + 1, 119, 24};
    auto& combo = form_.Add<TOrixComboBox>(c);
    combo.AddItem(L"Useful or Not");
    combo.AddItem(L"Date");
    combo.SetItemIndex(0);
    TOrixRichEdit::CreateArgs r;
    r.name = L"redt1";
    r.caption = L"A multi-line review text in the system's rich edit control: it wraps at words, "
                L"keeps undo, the clipboard and input methods, and scrolls when the text is longer than the box.";
    r.bounds = {610, top, 340, 80};
    r.anchors = AnchorTop | AnchorLeft | AnchorRight;
    form_.Add<TOrixRichEdit>(r);
}

void Gallery::AddPictures() {
    const int top = 540;
    AddLabel(form_, L"lblPictures", L"Pictures", {190, top + 5, 80, 16}, OrixRgb(0x383838), true);
    TOrixImage::CreateArgs icon;
    icon.name = L"img1";
    icon.bounds = {270, top, 48, 48};
    icon.picture = pictures_.addon;
    icon.stretch = true;
    icon.cursor = LoadCursorW(nullptr, IDC_HAND);
    form_.Add<TOrixImage>(icon);

    TOrixImage::CreateArgs stars;
    stars.name = L"img13";
    stars.bounds = {330, top + 14, 105, 21};
    auto& starBox = form_.Add<TOrixImage>(stars);
    auto hover = std::make_shared<int>(-1);
    const StandInPictures& p = pictures_;
    starBox.OnPaint = [&p, hover](TOrixImage&, TOrixCanvas& c) {
        const int lit = *hover >= 0 ? *hover : 3;
        for (int i = 0; i < 5; ++i)
            c.Picture(i < lit ? p.starLit : p.starGrey, 0, {c.Scale(21 * i), 0, c.Scale(21 * i + 21), c.Scale(21)});
    };
    starBox.OnMouseMove = [hover](TOrixControl& self, int x, int) {
        *hover = x / self.Scale(21) + 1;
        self.Invalidate();
    };
    starBox.OnMouseLeave = [hover](TOrixControl& self) {
        *hover = -1;
        self.Invalidate();
    };

    TOrixImageList::CreateArgs il;
    il.name = L"mglst";
    il.width = 32;
    il.height = 32;
    auto& images = form_.Add<TOrixImageList>(il);
    images.Add(pictures_.browserIcon);
    images.Add(pictures_.addon);
    images.Add(pictures_.messageIcons[2]);

    TOrixPanel::CreateArgs panel;
    panel.name = L"fxpnl1";
    panel.bounds = {450, top, 300, 90};
    panel.color = OrixRgb(0xF7F9FB);
    panel.borderColor = OrixRgb(0xE9E9E9);
    auto& box = form_.Add<TOrixPanel>(panel);
    box.OnPaint = [&images](TOrixPanel&, TOrixCanvas& c) {
        for (int i = 0; i < images.Count(); ++i) images.Draw(c, i, c.Scale(10 + 40 * i), c.Scale(10));
    };
    TOrixLabel::CreateArgs inner;
    inner.parent = &box;
    inner.name = L"lblPanel";
    inner.caption = L"A panel holds controls";
    inner.bounds = {10, 52, 150, 16};
    form_.Add<TOrixLabel>(inner);
    TOrixButton::CreateArgs submit;
    submit.parent = &box;
    submit.name = L"btn1";
    submit.caption = L"Submit";
    submit.bounds = {190, 50, 96, 28};
    submit.picture = pictures_.button;
    SetAllFonts(form_.Add<TOrixButton>(submit), OrixRgb(0xFFFFFF));
}
