#include "ui/FrmKoltMain.h"

#include <algorithm>
#include <exception>

#include "app/AppConfig.h"
#include "app/LanguageLookup.h"
#include "app/WindowPlacement.h"
#include "browsers/DefaultBrowser.h"
#include "browsers/IconDownload.h"
#include "browsers/history/HistoryJournal.h"
#include "browsers/history/JournaledChanges.h"
#include "net/MakerAddresses.h"
#include "net/rating/BatchRatingStep.h"
#include "net/rating/RatingResult.h"
#include "platform/ShellHelpers.h"
#include "platform/SystemInfo.h"
#include "platform/Utf.h"
#include "platform/VersionInfo.h"
#include "ui/AddonRows.h"
#include "ui/BrivoAd.h"
#include "ui/BrivoNews.h"
#include "ui/CommandGuard.h"
#include "ui/ConfirmMessage.h"
#include "ui/ImgModule.h"
#include "ui/MainFormMenu.h"
#include "ui/MainWindowLayout.h"
#include "ui/OpenHistoryWindow.h"
#include "ui/Toasts.h"

namespace {

constexpr wchar_t kClassName[] = L"TfrmKoltMain";
constexpr wchar_t kAppTitle[] = L"Brivo Plug-in Manager";
constexpr int kDesignWidth = 801;
constexpr int kDesignHeight = 496;
constexpr int kMinWidth = 500;
constexpr int kMinHeight = 400;
constexpr COLORREF kPanel = OrixRgb(0x22303F);
constexpr COLORREF kAccent = OrixRgb(0x1695E6);
constexpr COLORREF kText = OrixRgb(0x383838);
constexpr COLORREF kWhite = OrixRgb(0xFFFFFF);
// The dark strip under the list holds the version, the update link and the
// social buttons; the list ends where it begins.
constexpr int kSidePanelWidth = 178;
constexpr int kBottomStrip = 23;
// Add-on icons arrive from the web after the list is shown; while any are
// on their way the list is repainted now and then to show them.
constexpr UINT_PTR kIconTimer = 0x1C0;
constexpr UINT kIconTimerMs = 400;
// The buttons of the four families exist from the start (disabled until
// their browsers are found); those of the newer browsers only show when
// their browser is installed.
constexpr int kFamilyButtons = 4;
// The banner's place in the left column, anchored to the window's bottom.
constexpr int kBannerDesignTop = 372;
// The header row of the list.
constexpr int kHeaderTop = 30;
constexpr int kComboHeight = 22;
constexpr int kCountTop = 33;
constexpr int kCountHeight = 18;
constexpr int kCountLeft = 183;
constexpr int kCountWidth = 223;

std::wstring Text(const std::wstring& section, const std::wstring& key, const std::wstring& fallback) {
    return Translate(section, key, fallback);
}

// Fills the first "%d" or "%s" of a translated pattern. Language files are
// user-editable, so the pattern never reaches a printf-style formatter.
std::wstring FillPattern(std::wstring pattern, const wchar_t* placeholder, const std::wstring& value) {
    const size_t at = pattern.find(placeholder);
    if (at != std::wstring::npos) pattern.replace(at, 2, value);
    return pattern;
}

void SetButtonFonts(TOrixButton& button, COLORREF normal, COLORREF selected, COLORREF disabled) {
    for (TOrixFont* font : {&button.FontNormal, &button.FontOver, &button.FontDown, &button.FontFocus})
        font->SetColor(normal);
    button.FontSelect.SetColor(selected);
    button.FontDisable.SetColor(disabled);
}

// The names of the browsers beyond the four families may be written in the
// user's own script; the four keep their fixed names.
std::wstring ButtonCaption(const TBrowserAppBase& adapter) {
    switch (adapter.Browser) {
    case BrowserId::Edge: return Text(L"Translation", L"TfrmKoltMain.btnEdge.Caption", adapter.DisplayName);
    case BrowserId::Brave: return Text(L"Translation", L"TfrmKoltMain.btnBrave.Caption", adapter.DisplayName);
    case BrowserId::Vivaldi: return Text(L"Translation", L"TfrmKoltMain.btnVivaldi.Caption", adapter.DisplayName);
    default: return adapter.DisplayName;
    }
}

void ShowSystemError(HWND owner, const std::string& utf8) {
    MessageBoxW(owner, ToWide(utf8).c_str(), kAppTitle, MB_OK | MB_ICONERROR);
}

}  // namespace

TfrmKoltMain::TfrmKoltMain() : TfrmBase(kClassName) {}

TfrmKoltMain::~TfrmKoltMain() {
    if (rateTarget_) rateTarget_->Close();
}

bool TfrmKoltMain::CreateMainWindow() {
    CreateArgs args;
    args.name = L"frmKoltMain";
    args.caption = kAppTitle;
    // The controls are laid out for the design size; a remembered size is
    // applied afterwards, so that their anchors follow it.
    args.clientWidth = kDesignWidth;
    args.clientHeight = kDesignHeight;
    args.minimizeButton = true;
    args.resizable = true;
    const TWindowPlacement& saved = AppConfig.MainWindow;
    if (saved.Valid()) args.position = POINT{saved.Left, saved.Top};
    if (!CreateForm(args)) return false;
    if (saved.Valid()) {
        RECT wanted = {saved.Left, saved.Top, saved.Left + Scale(std::max(saved.Width, kMinWidth)),
                       saved.Top + Scale(std::max(saved.Height, kMinHeight))};
        wanted = FitOnScreen(wanted);
        SetWindowPos(Handle(), nullptr, wanted.left, wanted.top, wanted.right - wanted.left,
                     wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

void TfrmKoltMain::ShowMainWindow() {
    Show();
    SetForegroundWindow(Handle());
    m_lstView->SetFocus();
}

void TfrmKoltMain::CreateComponents() {
    // Creation order is the Tab order: browsers, kinds, the list, the rest.
    CreateBrowserButtons();
    CreateProfileChoice();
    CreateKindTabs();
    TOrixListView::CreateArgs list;
    list.name = L"m_lstView";
    list.bounds = {178, 91, 618, 382};
    list.anchors = AnchorAll;
    list.rowHeight = 70;
    list.color = kWhite;
    m_lstView = &Add<TOrixListView>(list);
    CreateLabels();
    CreateSocialButtons();
    sysMenu = &Add<TOrixPopupMenu>({L"sysMenu", 25});
    SetMenu(sysMenu);
    mglst = &Add<TOrixImageList>({L"mglst", 68, 68});
}

void TfrmKoltMain::CreateBrowserButtons() {
    const TOrixStrip face = ImgModule().Store(13);
    for (int i = 0; i < static_cast<int>(BrowserButtons.size()); ++i) {
        TOrixButton::CreateArgs b;
        b.name = L"btnB" + std::to_wstring(i + 1);
        b.bounds = {5, kBrowserColumnTop + kBrowserButtonHeight * i, 171, kBrowserButtonHeight};
        b.picture = face;
        b.captionAlign = TOrixTextAlign::Left;
        b.captionLeft = 50;
        b.enabled = false;
        b.visible = i < kFamilyButtons;
        TOrixButton& button = Add<TOrixButton>(b);
        button.SetTransparent(true);
        SetButtonFonts(button, kWhite, kWhite, OrixRgb(0x6C7177));
        button.OnClick = [this](TOrixControl& c) { SelectBrowser(static_cast<TOrixButton&>(c)); };
        BrowserButtons[i] = &button;
    }
}

void TfrmKoltMain::CreateProfileChoice() {
    TOrixComboBox::CreateArgs c;
    c.name = L"cmbProfile";
    c.bounds = {kCountLeft + kCountWidth + 6, kHeaderTop, 170, kComboHeight};
    c.visible = false;
    cmbProfile = &Add<TOrixComboBox>(c);
    cmbProfile->Font.SetColor(kText);
    cmbProfile->OnChange = [this](TOrixComboBox& combo) { SelectProfile(combo.ItemIndex()); };
}

void TfrmKoltMain::CreateKindTabs() {
    static constexpr intptr_t kTags[] = {0, 1, 2, 4};
    static constexpr const wchar_t* kCaptions[] = {L"All", L"BHO", L"Toolbars", L"Context Menu"};
    const TOrixStrip face = ImgModule().Picture(SkinPictureId::KindTab);
    for (int i = 0; i < 4; ++i) {
        TOrixButton::CreateArgs t;
        t.name = L"btn" + std::to_wstring(i + 5);
        t.bounds = {183 + 103 * i, 59, 102, 30};
        t.picture = face;
        t.caption = kCaptions[i];
        t.tag = kTags[i];
        TOrixButton& tab = Add<TOrixButton>(t);
        SetButtonFonts(tab, kText, kWhite, OrixRgb(0xA0A0A0));
        tab.OnClick = [this](TOrixControl& c) { SelectKindTab(static_cast<TOrixButton&>(c)); };
        kindTabs_[i] = &tab;
    }
}

void TfrmKoltMain::CreateLabels() {
    TOrixLabel::CreateArgs d;
    d.name = L"lblSetasdefault";
    d.caption = L"Set as default browser";
    d.bounds = {593, 33, 198, 17};
    d.anchors = AnchorTop | AnchorRight;
    d.align = TOrixTextAlign::Right;
    d.link = true;
    lblSetasdefault = &Add<TOrixLabel>(d);
    lblSetasdefault->Font.SetColor(kAccent);
    lblSetasdefault->FontDown.SetColor(kAccent);
    lblSetasdefault->FontOver.SetColor(OrixRgb(0x000080));
    lblSetasdefault->FontOver.SetUnderline(true);
    lblSetasdefault->OnClick = [this](TOrixControl&) { SetAsDefaultBrowser(); };

    TOrixLabel::CreateArgs count;
    count.name = L"lbl1";
    count.bounds = {183, 33, 223, 18};
    count.visible = false;
    lbl1 = &Add<TOrixLabel>(count);
    lbl1->Font.SetColor(kText);

    TOrixLabel::CreateArgs version;
    version.name = L"lbl2";
    version.bounds = {2, 474, 174, 20};
    version.anchors = AnchorBottom | AnchorLeft;
    lbl2 = &Add<TOrixLabel>(version);

    // The update link: a manual check, which says so when nothing is new.
    TOrixLabel::CreateArgs update;
    update.name = L"lbl3";
    update.caption = L"Check for Updates";
    update.bounds = {178, 475, 199, 20};
    update.anchors = AnchorBottom | AnchorLeft;
    update.link = true;
    lbl3 = &Add<TOrixLabel>(update);
    lbl3->OnClick = [](TOrixControl&) { StartUpdateCheck(false); };
    for (TOrixLabel* label : {lbl2, lbl3})
        for (TOrixFont* font : {&label->Font, &label->FontOver, &label->FontDown, &label->FontDisable})
            font->SetColor(kWhite);
    for (TOrixFont* font : {&lbl3->Font, &lbl3->FontOver, &lbl3->FontDown}) font->SetUnderline(true);

    // The advertisement banner: empty and not clickable until a feed
    // arrives (TBrivoAd, made in FormCreate).
    TOrixImage::CreateArgs ad;
    ad.name = L"imgad";
    ad.bounds = {5, 372, 170, 100};
    ad.anchors = AnchorBottom | AnchorLeft;
    ad.stretch = true;
    imgad = &Add<TOrixImage>(ad);
}

void TfrmKoltMain::CreateSocialButtons() {
    struct Social {
        const wchar_t* name;
        SkinPictureId picture;
        intptr_t tag;
    };
    static constexpr Social kSocial[] = {{L"btn1", SkinPictureId::SocialFacebook, 2},
                                         {L"btn2", SkinPictureId::SocialTwitter, 3},
                                         {L"btn3", SkinPictureId::SocialMail, 1},
                                         {L"btn4", SkinPictureId::SocialHome, 4}};
    for (int i = 0; i < 4; ++i) {
        TOrixButton::CreateArgs s;
        s.name = kSocial[i].name;
        s.bounds = {710 + 22 * i, 476, 20, 20};
        s.anchors = AnchorBottom | AnchorRight;
        s.picture = ImgModule().Picture(kSocial[i].picture);
        s.tag = kSocial[i].tag;
        TOrixButton& button = Add<TOrixButton>(s);
        button.SetTransparent(true);
        button.OnClick = [this](TOrixControl& c) { OpenSocialPage(c.Tag()); };
        socialButtons_[i] = &button;
    }
}

void TfrmKoltMain::FormCreate() {
    // The first translation builds the menu, which starts the automatic
    // online checks: their answers come to this window.
    SetOnlineChecksOwner(Handle());
    // The history of changes has its item in the main menu, after "Language".
    TMainFormMenu::Instance().AddExtraItem(L"TfrmHistory.Caption", L"History", [this] { OpenHistoryWindow(*this); });
    TfrmBase::FormCreate();
    rateTarget_ = TRateTarget::Create(Handle());
    OnPaintBackground = [this](TOrixForm&, TOrixCanvas& canvas) { PaintBackground(canvas); };
    OnLimitSize = [](TOrixForm&, int& width, int& height) {
        width = std::max(width, kMinWidth);
        height = std::max(height, kMinHeight);
    };
    OnKeyPreview = [this](TOrixForm&, const MSG& message) { return KeyPreview(message); };
    // The browser column and the header row follow the window's size.
    OnResize = [this, earlier = OnResize](TOrixControl& control) {
        if (earlier) earlier(control);
        LayoutBrowserButtons();
        LayoutHeader();
    };
    SelectKindTab(*kindTabs_[0]);
    ConfigureList();
    SetupColumns();
    BuildBrowserButtons();
    banner_ = std::make_unique<TBrivoAd>(*imgad);
    banner_->Start();
    if (IconDownloadsRunning() > 0) SetTimer(Handle(), kIconTimer, kIconTimerMs, nullptr);
}

void TfrmKoltMain::ConfigureList() {
    painter_ = std::make_unique<TAddonListPainter>(
        *m_lstView, TAddonListPainter::Selection{[this] { return static_cast<const TBrowserAppBase*>(currentBrowser_); },
                                                 [this] { return currentKindFilter_; }});
    TOrixListView& list = *m_lstView;
    const TimgModule& images = ImgModule();
    list.SetHeaderHeight(0);
    list.SetRowHeight(70);
    list.SetRowPicture(images.Store(8));
    list.SetSelectionPicture(images.Store(9));
    list.SetHeaderPicture(images.Store(10));
    list.SetImageList(mglst);
    list.SetScrollBarSkin(images.ScrollBarSkin());
    list.OnDrawRowBackground = [this](TOrixListView&, TOrixCanvas& canvas, int index, const RECT& row) {
        painter_->PaintRowBackground(canvas, index, row);
    };
    list.OnDrawRow = [this](TOrixListView&, TOrixCanvas& canvas, int index, const RECT& row) {
        painter_->PaintRow(canvas, index, row);
    };
    list.OnDrawBackground = [this](TOrixListView&, TOrixCanvas& canvas, const RECT& client) {
        painter_->PaintEmptyList(canvas, client);
    };
    list.OnRowMouseMove = [this](TOrixListView&, int x, int y, int index) { painter_->RowMouseMove(x, y, index); };
    list.OnRowClick = [this](TOrixListView&, int index, int x, int y) { RowClick(index, x, y); };
    list.OnResize = [](TOrixControl& control) {
        auto& resized = static_cast<TOrixListView&>(control);
        if (resized.ColumnCount() > 0 && resized.DesignClientWidth() > 260)
            resized.SetColumnWidth(0, resized.DesignClientWidth() - 220);
    };
    list.Invalidate();
}

void TfrmKoltMain::SetupColumns() {
    m_lstView->SetColumns({380, 120, 100});
    if (m_lstView->OnResize) m_lstView->OnResize(*m_lstView);
}

void TfrmKoltMain::BuildBrowserButtons() {
    BrowserList found;
    // A browser whose reading fails in a way no reader caught ends the list
    // there: the browsers read until then are shown, and the window opens.
    RunGuarded([&found] { GetBrowserList(found); });
    // Rating workers may still deliver to the records of the adapters read
    // before: those stay alive, out of sight, for the rest of the run.
    for (auto& adapter : browsers_) retiredBrowsers_.push_back(std::move(adapter));
    browsers_ = std::move(found);
    slots_.clear();
    std::vector<BrowserProfiles> browsers = GroupByBrowser(browsers_);
    for (size_t i = 0; i < browsers.size() && i < BrowserButtons.size(); ++i) {
        // The button stands for the browser: its first profile gives the
        // icon, the running check and the default mark.
        TBrowserAppBase& adapter = *browsers[i].front();
        TOrixButton& button = *BrowserButtons[i];
        // Face, fonts and caption place are the button's since its creation.
        button.SetEnabled(!adapter.DataPath.empty());
        button.SetVisible(true);
        button.SetCaption(ButtonCaption(adapter));
        button.OnPaintExtra = [this](TOrixButton& b, TOrixCanvas& canvas) { painter_->PaintBrowserButton(b, canvas); };
        button.SetTag(reinterpret_cast<intptr_t>(&adapter));
        button.Invalidate();
        slots_.push_back({&button, std::move(browsers[i]), 0});
    }
    LayoutBrowserButtons();
    SelectBrowser(*BrowserButtons[0]);
}

void TfrmKoltMain::ReloadBrowsers() {
    // The browser and profile shown stay shown, when they are still there.
    const BrowserId browser = currentBrowser_ ? currentBrowser_->Browser : BrowserId::None;
    const std::wstring profile = currentBrowser_ ? currentBrowser_->ProfileFolder : std::wstring();
    currentBrowser_ = nullptr;
    BuildBrowserButtons();
    for (TBrowserSlot& slot : slots_) {
        for (size_t i = 0; i < slot.profiles.size(); ++i) {
            if (slot.profiles[i]->Browser != browser || slot.profiles[i]->ProfileFolder != profile) continue;
            slot.shown = static_cast<int>(i);
            SelectBrowser(*slot.button);
            SelectProfile(static_cast<int>(i));
            return;
        }
    }
}

void TfrmKoltMain::LayoutBrowserButtons() {
    int shown = 0;
    for (TOrixButton* b : BrowserButtons)
        if (b && b->Visible()) ++shown;
    const int bannerTop = DesignClientHeight() - (kDesignHeight - kBannerDesignTop);
    const int height = BrowserButtonHeight(shown, bannerTop);
    const TBrowserButtonFace face = BrowserButtonFace(height);
    int row = 0;
    for (TOrixButton* b : BrowserButtons) {
        if (!b || !b->Visible()) continue;
        const TOrixBounds wanted = {5, kBrowserColumnTop + height * row++, 171, height};
        const TOrixBounds now = b->DesignBounds();
        if (now.left != wanted.left || now.top != wanted.top || now.width != wanted.width ||
            now.height != wanted.height)
            b->SetDesignBounds(wanted);
        b->SetCaptionTop(face.captionTop);
    }
}

void TfrmKoltMain::LayoutHeader() {
    if (!cmbProfile || !lbl1 || !lblSetasdefault) return;
    if (!cmbProfile->Visible()) {
        lbl1->SetDesignBounds({kCountLeft, kCountTop, kCountWidth, kCountHeight});
        return;
    }
    // The link's text is right-aligned: the drop-down stands left of where
    // it begins, whatever the language makes of it.
    int textWidth = 0;
    if (HDC dc = GetDC(Handle())) {
        const HGDIOBJ old = SelectObject(dc, lblSetasdefault->Font.Handle(Dpi()));
        SIZE size{};
        const std::wstring text = lblSetasdefault->Caption();
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(Handle(), dc);
        textWidth = UnscaleForDpi(size.cx, Dpi());
    }
    const TProfileHeader header = ProfileHeaderLayout(DesignClientWidth(), textWidth);
    cmbProfile->SetDesignBounds({header.comboLeft, kHeaderTop, header.comboWidth, kComboHeight});
    lbl1->SetDesignBounds({kCountLeft, kCountTop, header.countWidth, kCountHeight});
}

TfrmKoltMain::TBrowserSlot* TfrmKoltMain::SlotOf(const TOrixButton& button) {
    for (TBrowserSlot& slot : slots_)
        if (slot.button == &button) return &slot;
    return nullptr;
}

TfrmKoltMain::TBrowserSlot* TfrmKoltMain::SelectedSlot() {
    for (TBrowserSlot& slot : slots_)
        if (slot.button->Selected()) return &slot;
    return nullptr;
}

// The drop-down lists the selected browser's profiles by the names their
// users gave them; a browser with one profile has none.
void TfrmKoltMain::ShowProfileChoice() {
    const TBrowserSlot* slot = SelectedSlot();
    const bool several = slot && slot->profiles.size() > 1;
    if (several) {
        cmbProfile->Clear();
        for (const TBrowserAppBase* profile : slot->profiles)
            cmbProfile->AddItem(profile->ProfileName.empty() ? profile->ProfileFolder : profile->ProfileName);
        cmbProfile->SetItemIndex(slot->shown);
    }
    cmbProfile->SetVisible(several);
    LayoutHeader();
}

int TfrmKoltMain::ProfileCount() const {
    for (const TBrowserSlot& slot : slots_)
        if (slot.button->Selected()) return static_cast<int>(slot.profiles.size());
    return 0;
}

void TfrmKoltMain::SelectProfile(int index) {
    TBrowserSlot* slot = SelectedSlot();
    if (!slot || index < 0 || index >= static_cast<int>(slot->profiles.size())) return;
    TBrowserAppBase* profile = slot->profiles[static_cast<size_t>(index)];
    if (profile == currentBrowser_) return;
    slot->shown = index;
    currentBrowser_ = profile;
    if (cmbProfile->ItemIndex() != index) cmbProfile->SetItemIndex(index);
    FillAddonList();
}

void TfrmKoltMain::SelectBrowser(TOrixButton& button) {
    TBrowserSlot* slot = SlotOf(button);
    if (!slot) return;
    TBrowserAppBase* adapter = slot->profiles[static_cast<size_t>(slot->shown)];
    if (!adapter || adapter == currentBrowser_) return;
    for (TOrixButton* b : BrowserButtons) b->SetSelected(false);
    button.SetSelected(true);
    currentBrowser_ = adapter;
    ShowProfileChoice();
    if (adapter->Kind != BrowserKind::InternetExplorer) {
        kindTabs_[3]->SetVisible(false);
        if (currentKindFilter_ == 4) {
            SelectKindTab(*kindTabs_[0]);
        }
    } else {
        kindTabs_[3]->SetVisible(true);
    }
    SetKindTabCaptions();
    FillAddonList();
    if (IsWindowVisible(Handle())) m_lstView->SetFocus();
}

void TfrmKoltMain::SetKindTabCaptions() {
    if (!currentBrowser_) return;
    const bool ie = currentBrowser_->Kind == BrowserKind::InternetExplorer;
    kindTabs_[1]->SetCaption(Text(L"Translation", ie ? L"TfrmKoltMain.btn6.Caption_1" : L"TfrmKoltMain.btn6.Caption_2",
                                  ie ? L"BHO" : L"Extensions"));
    kindTabs_[2]->SetCaption(Text(L"Translation", ie ? L"TfrmKoltMain.btn7.Caption_1" : L"TfrmKoltMain.btn7.Caption_2",
                                  ie ? L"Toolbars" : L"Plugins"));
}

void TfrmKoltMain::SelectKindTab(TOrixButton& tab) {
    for (TOrixButton* t : kindTabs_) t->SetSelected(false);
    tab.SetSelected(true);
    currentKindFilter_ = static_cast<int>(tab.Tag());
    FillAddonList();
}

void TfrmKoltMain::WalkKindTabs(int step) {
    std::vector<TOrixButton*> shown;
    for (TOrixButton* t : kindTabs_)
        if (t->Visible()) shown.push_back(t);
    if (shown.empty()) return;
    const auto selected = std::find_if(shown.begin(), shown.end(), [](TOrixButton* t) { return t->Selected(); });
    const int count = static_cast<int>(shown.size());
    const int at = selected == shown.end() ? 0 : static_cast<int>(selected - shown.begin());
    SelectKindTab(*shown[((at + step) % count + count) % count]);
}

void TfrmKoltMain::FillAddonList() {
    if (!m_lstView) return;
    TOrixListView& list = *m_lstView;
    list.BeginUpdate();
    list.Rows().Clear();
    list.SetSelected(-1);
    list.ScrollTo(0);
    lbl1->SetVisible(false);
    TBrowserAppBase* browser = currentBrowser_;
    const int count = browser ? browser->GetExtensionCount() : 0;
    if (count > 0) {
        UpdateCountLabel();
        lbl1->SetVisible(true);
        if (!browser->RatingsRequested) {
            StartBatchRating(*browser, rateTarget_);
            browser->RatingsRequested = true;
        }
        for (int i = 0; i < count; ++i) {
            TBrowserExtensionInfo* addon = browser->GetExtension(i);
            if (addon && (currentKindFilter_ == 0 || currentKindFilter_ == static_cast<int>(addon->Kind)))
                list.Rows().Add(L" ", std::make_unique<TRowHitAreas>(addon));
        }
    }
    list.EndUpdate();
}

void TfrmKoltMain::UpdateCountLabel() {
    if (!currentBrowser_) return;
    const std::wstring pattern = Text(L"Translation", L"TfrmKoltMain.lbl1.Caption", L"%d");
    lbl1->SetCaption(FillPattern(pattern, L"%d", std::to_wstring(currentBrowser_->GetExtensionCount())));
}

int TfrmKoltMain::RowOf(const TBrowserExtensionInfo* addon) const {
    const TOrixListModel& rows = m_lstView->Rows();
    for (int i = 0; i < rows.Count(); ++i) {
        const auto* row = rows.DataAs<TRowHitAreas>(i);
        if (row && row->Addon == addon) return i;
    }
    return -1;
}

void TfrmKoltMain::RowClick(int index, int x, int y) {
    // The hint of the part clicked would otherwise stay over the next box.
    m_lstView->HideHint();
    const auto* row = m_lstView->Rows().DataAs<TRowHitAreas>(index);
    if (!row) return;
    switch (RowAreaAt(*row, {x, y})) {
    case TRowArea::Delete: RemoveAddon(index); break;
    case TRowArea::Toggle: ToggleAddon(index); break;
    case TRowArea::Rating: ShowReviews(index); break;
    case TRowArea::None: break;
    }
}

bool TfrmKoltMain::EnsureBrowserClosed(TBrowserAppBase& adapter) {
    if (!adapter.IsBrowserRunning()) return true;
    ConfirmMessage(Handle(), L"BIsRuning", TOrixMessageButtons::Ok, TOrixMessageIcon::Question);
    return false;
}

void TfrmKoltMain::RemoveAddon(int index) {
    const auto* row = m_lstView->Rows().DataAs<TRowHitAreas>(index);
    if (!currentBrowser_ || !row || !row->Addon) return;
    TBrowserAppBase& browser = *currentBrowser_;
    TBrowserExtensionInfo* addon = row->Addon;
    if (!EnsureBrowserClosed(browser)) return;
    if (ConfirmMessage(Handle(), L"DeleteConf", TOrixMessageButtons::YesNo, TOrixMessageIcon::Warning) ==
        TOrixMessageBox::kNo)
        return;
    bool removed = false;
    if (const auto failure = RunGuarded([&] {
            THistoryJournal journal = THistoryJournal::BesideSettings();
            removed = JournaledRemove(journal, browser, addon);
        })) {
        ShowSystemError(Handle(), *failure);
        return;
    }
    // A removal that was refused (a folder in use, a key the user may not
    // change) keeps its row and says so; the record is gone otherwise and
    // its row with it.
    if (!removed) {
        ShowErrorToast(CentrePoint(0, -35), Text(L"Messages", L"RemoveFailed", L"The add-on could not be removed."));
        return;
    }
    if (const int at = RowOf(addon); at >= 0) m_lstView->Rows().Remove(at);
    UpdateCountLabel();
    m_lstView->Invalidate();
}

void TfrmKoltMain::ToggleAddon(int index) {
    const auto* row = m_lstView->Rows().DataAs<TRowHitAreas>(index);
    if (!currentBrowser_ || !row || !row->Addon) return;
    if (!HasAddonSwitch(currentBrowser_->Kind, row->Addon->Kind)) return;
    TBrowserExtensionInfo* addon = row->Addon;
    if (!EnsureBrowserClosed(*currentBrowser_)) return;
    const bool wasDisabled = addon->Disabled;
    if (const auto failure = RunGuarded([&] {
            THistoryJournal journal = THistoryJournal::BesideSettings();
            JournaledToggle(journal, *currentBrowser_, addon);
        }))
        ShowSystemError(Handle(), *failure);
    if (const int at = RowOf(addon); at >= 0) m_lstView->InvalidateRow(at);
    // Once, the first time: what the browser shows for an extension switched
    // off through its policy, and where to switch it on again.
    if (addon->ManagedByPolicy && addon->Disabled && !wasDisabled && !AppConfig.PolicyNoteShown) {
        AppConfig.PolicyNoteShown = true;
        SaveSettings();
        ConfirmMessage(Handle(), L"PolicyNote", TOrixMessageButtons::Ok, TOrixMessageIcon::Information);
    }
}

void TfrmKoltMain::ShowReviews(int index) {
    const auto* row = m_lstView->Rows().DataAs<TRowHitAreas>(index);
    if (!currentBrowser_ || !row || !row->Addon || !OnShowReviews) return;
    EnableWindow(Handle(), FALSE);
    std::optional<std::string> failure;
    {
        // The window is usable again however the reviews end.
        const TReenableOnExit reenable(Handle());
        failure = RunGuarded([&] { OnShowReviews(*currentBrowser_, *row->Addon); });
    }
    if (failure) ShowSystemError(Handle(), *failure);
}

POINT TfrmKoltMain::CentrePoint(int dx, int dy) const {
    RECT window;
    GetWindowRect(Handle(), &window);
    return {window.left + (window.right - window.left) / 2 + dx, window.top + (window.bottom - window.top) / 2 + dy};
}

void TfrmKoltMain::ShowServerMessage(const std::wstring& key) {
    ShowErrorToast(CentrePoint(-60, -35), Text(L"Messages", key, L""));
}

void TfrmKoltMain::SetAsDefaultBrowser() {
    if (!currentBrowser_) return;
    bool accepted = false;
    try {
        THistoryJournal journal = THistoryJournal::BesideSettings();
        accepted = JournaledSetDefault(journal, *currentBrowser_);
    } catch (const std::exception& error) {
        ShowSystemError(Handle(), error.what());
        return;
    }
    for (TOrixButton* b : BrowserButtons) b->Invalidate();
    // Windows guards the choice of the default browser; the user hears of
    // success only when the change took. Since Windows 8 only the user may
    // make it, on the system's own page, which opens at the browser.
    if (accepted) {
        ShowInfoToast(CentrePoint(0, -35), Text(L"Messages", L"SetAsDefault", L""));
    } else if (IsWindows8OrLater()) {
        OpenUrl(Handle(), DefaultAppsSettingsAddress(*currentBrowser_));
        ShowInfoToast(CentrePoint(0, -35), Text(L"Messages", L"SetAsDefaultAsk", L""));
    } else {
        ShowErrorToast(CentrePoint(0, -35), Text(L"Messages", L"SetAsDefaultF", L""));
    }
}

void TfrmKoltMain::OpenSocialPage(intptr_t tag) {
    switch (tag) {
    case 1: {
        const std::wstring mail = L"mailto:?subject=Please try Brivo Plug-in Manager!&body=<html><body><a href=\"" +
                                  DownloadPageUrl() +
                                  L"\">Please try Brivo Plug-in Manager!</a> I've found it useful in managing browser "
                                  L"plug-ins!</body></html>";
        ShellExecuteW(Handle(), L"open", mail.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        break;
    }
    case 2: OpenUrl(Handle(), SocialNetworkPageUrl()); break;
    case 3: OpenUrl(Handle(), ShortMessagePageUrl()); break;
    case 4: OpenUrl(Handle(), HomePageUrl()); break;
    default: break;
    }
}

void TfrmKoltMain::HandleRatingResult(WPARAM code, LPARAM value) {
    if (code == RateCode::NotVerified) {
        ShowServerMessage(L"UnVerify");
    } else if (code == RateCode::BatchDelivered) {
        m_lstView->Invalidate();
    } else if (code == RateCode::Unreadable) {
        ShowServerMessage(L"GetSvrError1");
    } else if (IsRatingDelivery(code) && value) {
        // The batch step delivers only records still in their adapter's list.
        reinterpret_cast<TBrowserExtensionInfo*>(value)->Rating = DeliveredRating(code);
    }
}

bool TfrmKoltMain::KeyPreview(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    // The menu's shortcut works wherever the keyboard is in the window.
    if (message.wParam == VK_F1 && !control) {
        if (TOrixMenuItem* help = TMainFormMenu::FindShortCut(*sysMenu, L"F1")) {
            const std::function<void(TOrixMenuItem&)> click = help->OnClick;
            if (click) click(*help);
        }
        return true;
    }
    if (message.wParam == VK_TAB && control) {
        WalkKindTabs((GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1);
        return true;
    }
    if (message.wParam == 'H' && control) {
        OpenHistoryWindow(*this);
        return true;
    }
    if (message.hwnd != m_lstView->Handle() || control) return false;
    const int selected = m_lstView->Selected();
    // A key held down repeats; the switch moves once per press.
    const bool repeated = (message.lParam & (1 << 30)) != 0;
    switch (message.wParam) {
    case VK_SPACE:
        if (!repeated) ToggleAddon(selected);
        return true;
    case VK_DELETE: RemoveAddon(selected); return true;
    case VK_RETURN: ShowReviews(selected); return true;
    default: return false;
    }
}

void TfrmKoltMain::PaintBackground(TOrixCanvas& canvas) {
    const RECT client = ClientRect();
    const int title = canvas.Scale(Frame().TitleHeight);
    const int strip = client.bottom - canvas.Scale(kBottomStrip);
    canvas.Fill({0, title, canvas.Scale(kSidePanelWidth), client.bottom}, kPanel);
    canvas.Fill({0, strip, client.right, client.bottom}, kPanel);
}

void TfrmKoltMain::TranslateForm() {
    TfrmBase::TranslateForm();
    if (sysMenu) {
        // The menu speaks the language in its font (a script Tahoma lacks).
        sysMenu->Font.CopyFrom(Font());
        TMainFormMenu::Instance().Build(*sysMenu);
    }
    if (currentBrowser_ && lbl1) UpdateCountLabel();
    static constexpr const wchar_t* kHintKeys[] = {L"TfrmKoltMain.btn1.hint", L"TfrmKoltMain.btn2.hint",
                                                   L"TfrmKoltMain.btn3.hint", L"TfrmKoltMain.btn4.hint"};
    for (int i = 0; i < 4; ++i)
        if (socialButtons_[i]) socialButtons_[i]->SetHint(Text(L"Translation", kHintKeys[i], L""));
    SetKindTabCaptions();
    for (const TBrowserSlot& slot : slots_) slot.button->SetCaption(ButtonCaption(*slot.profiles.front()));
    if (cmbProfile) cmbProfile->SetHint(Text(L"Translation", L"TfrmKoltMain.cmbProfile.hint", L"Profile"));
    Frame().CloseHint = Text(L"Translation", L"TfrmKoltMain.CloseHint", L"Close");
    Frame().MenuHint = Text(L"Translation", L"TfrmKoltMain.MenuHint", L"Menu");
    Frame().MinimizeHint = Text(L"Translation", L"TfrmKoltMain.MinHint", L"Minimize");
    RefreshFrame();
    ImgModule().TranslateMessageDialog();
    if (lbl2) lbl2->SetCaption(FillPattern(lbl2->Caption(), L"%s", ProgramDisplayVersion()));
    if (lbl3) lbl3->FontOver.SetColor(kAccent);
    if (lblSetasdefault) lblSetasdefault->Font.SetColor(kAccent);
    // The link's text may be longer or shorter in the new language.
    LayoutHeader();
}

LRESULT TfrmKoltMain::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_RATING_RESULT:
        HandleRatingResult(wp, lp);
        return 0;
    case WM_TIMER:
        if (wp != kIconTimer) break;
        m_lstView->Invalidate();
        if (IconDownloadsRunning() == 0) KillTimer(Handle(), kIconTimer);
        return 0;
    case WM_DESTROY:
        FormDestroy();
        break;
    default:
        break;
    }
    return TfrmBase::WndProc(msg, wp, lp);
}

void TfrmKoltMain::RememberPlacement() {
    WINDOWPLACEMENT placement{sizeof(placement)};
    RECT rect;
    if (IsIconic(Handle()) && GetWindowPlacement(Handle(), &placement)) {
        rect = placement.rcNormalPosition;
    } else {
        GetWindowRect(Handle(), &rect);
    }
    TWindowPlacement& saved = AppConfig.MainWindow;
    saved.Left = rect.left;
    saved.Top = rect.top;
    saved.Width = UnscaleForDpi(rect.right - rect.left, Dpi());
    saved.Height = UnscaleForDpi(rect.bottom - rect.top, Dpi());
}

void TfrmKoltMain::FormDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    if (rateTarget_) rateTarget_->Close();
    RememberPlacement();
    SaveSettings();
    if (OnShutdown) {
        OnShutdown();
        return;
    }
    // Workers (ratings, downloads) are cut off; nothing else needs to run.
    ExitProcess(0);
}
