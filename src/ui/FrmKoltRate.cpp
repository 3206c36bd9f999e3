#include "ui/FrmKoltRate.h"

#include <algorithm>
#include <cmath>

#include "app/LanguageLookup.h"
#include "net/rating/RatingResult.h"
#include "net/rating/ReviewConversations.h"
#include "platform/GdiplusInclude.h"
#include "ui/AddonRows.h"
#include "ui/ConfirmMessage.h"
#include "ui/ImgModule.h"
#include "ui/ReviewText.h"
#include "ui/Toasts.h"

namespace {

constexpr wchar_t kClassName[] = L"TfrmKoltRate";
constexpr int kDesignWidth = 750;
constexpr int kDesignHeight = 480;
constexpr COLORREF kText = OrixRgb(0x383838);
constexpr COLORREF kCount = OrixRgb(0x686868);
constexpr COLORREF kDescription = OrixRgb(0x686868);
constexpr COLORREF kAccent = OrixRgb(0x1695E6);
constexpr COLORREF kWhite = OrixRgb(0xFFFFFF);
constexpr COLORREF kTabLine = OrixRgb(0xD9DEE3);
// The bold name line: the language's size plus this many points.
constexpr int kNameSizeStep = 2;
// The list's own row height, which the paging entry keeps.
constexpr int kPagingEntryHeight = 32;
constexpr int kListTop = 178;
constexpr int kListMargin = 5;
// Re-sorting keeps further input waiting this long for the new first page.
constexpr DWORD kSortWaitMs = 1000;
constexpr size_t kLongestNameLine = 300;
constexpr size_t kLongestDescription = 1000;

std::wstring Text(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) {
    return Translate(section, key, fallback);
}

void SetFonts(TOrixLabel& label, COLORREF color) {
    for (TOrixFont* font : {&label.Font, &label.FontOver, &label.FontDown, &label.FontDisable}) font->SetColor(color);
}

void SetFonts(TOrixButton& button, COLORREF normal, COLORREF selected, COLORREF disabled) {
    for (TOrixFont* font : {&button.FontNormal, &button.FontOver, &button.FontDown, &button.FontFocus})
        font->SetColor(normal);
    button.FontSelect.SetColor(selected);
    button.FontDisable.SetColor(disabled);
}

// Today in the user's short date format.
std::wstring TodayShortDate() {
    wchar_t text[80] = {};
    if (!GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 80)) return {};
    return text;
}

// Lets the window's own work go on (results, timers, painting) but keeps
// the user's input queued, until done() holds or the time is up.
void PumpWithoutInput(const std::function<bool()>& done, DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
            if (done()) return;
        }
        if (done()) return;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT | QS_TIMER);
    }
}

}  // namespace

TfrmKoltRate::TfrmKoltRate(TBrowserAppBase& adapter, TBrowserExtensionInfo& addon)
    : TfrmBase(kClassName), Adapter(adapter), Addon(addon) {}

TfrmKoltRate::~TfrmKoltRate() {
    // Whatever the conversations still deliver is dropped from here on.
    if (listTarget_) listTarget_->Close();
    if (target_) target_->Close();
}

bool TfrmKoltRate::CreateReviewsWindow(TOrixForm* owner) {
    return CreateForm(OwnedWindowArgs(L"frmKoltRate", L"Ratings", kDesignWidth, kDesignHeight, owner));
}

TReviewedAddon TfrmKoltRate::Reviewed() const { return TReviewedAddon::From(Adapter, Addon); }

void TfrmKoltRate::CreateComponents() {
    // Creation order is the Tab order: the tabs, the sort box, the list and
    // then the "My Review" panel's star input, nickname, text and Submit.
    CreateHeader();
    CreateHistogram();
    CreateTabsAndSort();
    CreateList();
    CreateReviewPanel();
}

void TfrmKoltRate::CreateHeader() {
    TOrixImage::CreateArgs icon;
    icon.name = L"img1";
    icon.bounds = {27, 33, 48, 48};
    img1 = &Add<TOrixImage>(icon);
    img1->OnPaint = [this](TOrixImage&, TOrixCanvas& canvas) { PaintIcon(canvas); };

    TOrixLabel::CreateArgs name;
    name.name = L"lbl1";
    name.bounds = {81, 33, 420, 22};
    name.tag = kNameSizeStep;
    lbl1 = &Add<TOrixLabel>(name);
    lbl1->Font.SetBold(true);
    SetFonts(*lbl1, kText);

    TOrixImage::CreateArgs average;
    average.name = L"img2";
    average.bounds = {81, 56, 152, 21};
    img2 = &Add<TOrixImage>(average);
    img2->OnPaint = [this](TOrixImage&, TOrixCanvas& canvas) { PaintAverage(canvas); };

    TOrixLabel::CreateArgs description;
    description.name = L"lbl3";
    description.bounds = {81, 79, 431, 54};
    description.wordWrap = true;
    lbl3 = &Add<TOrixLabel>(description);
    SetFonts(*lbl3, kDescription);
}

void TfrmKoltRate::CreateHistogram() {
    static constexpr int kBarTops[] = {44, 57, 70, 83, 97};
    static constexpr int kStarTops[] = {42, 55, 68, 82, 95};
    static constexpr int kCountTops[] = {41, 54, 68, 81, 95};
    for (int i = 0; i < 5; ++i) {
        const int stars = 5 - i;
        TOrixImage::CreateArgs bar;
        bar.name = L"img" + std::to_wstring(3 + i);
        bar.bounds = {598, kBarTops[i], 92, i == 3 ? 10 : 9};
        bar.tag = stars;
        bars_[i] = &Add<TOrixImage>(bar);
        bars_[i]->OnPaint = [this](TOrixImage& box, TOrixCanvas& canvas) { PaintBar(box, canvas); };

        TOrixImage::CreateArgs label;
        label.name = L"img" + std::to_wstring(8 + i);
        label.bounds = {514, kStarTops[i], 82, 11};
        label.tag = stars;
        barStars_[i] = &Add<TOrixImage>(label);
        barStars_[i]->OnPaint = [this](TOrixImage& box, TOrixCanvas& canvas) { PaintBarStars(box, canvas); };

        TOrixLabel::CreateArgs count;
        count.name = L"lbl" + std::to_wstring(4 + i);
        count.bounds = {692, kCountTops[i], 41, 12};
        count.caption = L"0";
        countLabels_[i] = &Add<TOrixLabel>(count);
        SetFonts(*countLabels_[i], kCount);
    }
}

void TfrmKoltRate::CreateTabsAndSort() {
    const TOrixStrip face = ImgModule().Picture(SkinPictureId::KindTab);
    auto tab = [&](const wchar_t* name, int left, intptr_t tag, const wchar_t* caption) {
        TOrixButton::CreateArgs t;
        t.name = name;
        t.bounds = {left, 147, 100, 30};
        t.picture = face;
        t.caption = caption;
        t.tag = tag;
        TOrixButton& button = Add<TOrixButton>(t);
        SetFonts(button, kText, kWhite, OrixRgb(0xA0A0A0));
        button.OnClick = [this](TOrixControl& c) { SelectTab(static_cast<int>(c.Tag())); };
        return &button;
    };
    btn2 = tab(L"btn2", 15, 0, L"User Reviews");
    btn3 = tab(L"btn3", 121, 1, L"My Review");

    TOrixLabel::CreateArgs sortedBy;
    sortedBy.name = L"lbl9";
    sortedBy.caption = L"Sorted By";
    sortedBy.bounds = {414, 150, 200, 20};
    sortedBy.align = TOrixTextAlign::Right;
    lbl9 = &Add<TOrixLabel>(sortedBy);
    SetFonts(*lbl9, kText);

    TOrixComboBox::CreateArgs sort;
    sort.name = L"cbb1";
    sort.bounds = {620, 145, 119, 24};
    cbb1 = &Add<TOrixComboBox>(sort);
    cbb1->OnChange = [this](TOrixComboBox&) { SortChanged(); };
}

void TfrmKoltRate::CreateList() {
    TOrixListView::CreateArgs list;
    list.name = L"m_lstView";
    list.bounds = {495, kListTop, 200, 150};
    list.rowHeight = kPagingEntryHeight;
    list.color = kWhite;
    m_lstView = &Add<TOrixListView>(list);

    TOrixLabel::CreateArgs first;
    first.parent = m_lstView;
    first.name = L"lblfirst";
    first.caption = L"Comment Now";
    first.bounds = {21, 61, 100, 25};
    first.align = TOrixTextAlign::Center;
    first.link = true;
    first.visible = false;
    lblfirst = &Add<TOrixLabel>(first);
    SetFonts(*lblfirst, kAccent);
    lblfirst->FontOver.SetUnderline(true);
    lblfirst->OnClick = [this](TOrixControl&) {
        SelectTab(1);
        img13->SetFocus();
    };
}

void TfrmKoltRate::CreateReviewPanel() {
    TOrixPanel::CreateArgs panel;
    panel.name = L"fxpnl1";
    // Inside the frame's one-pixel border, from the tabs' bottom down.
    panel.bounds = {1, 177, kDesignWidth - 2, kDesignHeight - 177 - 1};
    panel.color = kWhite;
    panel.visible = false;
    fxpnl1 = &Add<TOrixPanel>(panel);

    auto label = [&](const wchar_t* name, const wchar_t* caption, TOrixBounds bounds) {
        TOrixLabel::CreateArgs l;
        l.parent = fxpnl1;
        l.name = name;
        l.caption = caption;
        l.bounds = bounds;
        l.align = TOrixTextAlign::Right;
        TOrixLabel& made = Add<TOrixLabel>(l);
        SetFonts(made, kText);
        return &made;
    };
    // The labels sit on the middle line of what they name.
    lbl10 = label(L"lbl10", L"Rate:", {2, 20, 80, 17});
    TStarInput::CreateArgs stars;
    stars.parent = fxpnl1;
    stars.name = L"img13";
    stars.bounds = {90, 17, 105, 21};
    stars.fullStar = ImgModule().Store(20);
    stars.emptyStar = ImgModule().Store(21);
    img13 = &Add<TStarInput>(stars);

    lbl11 = label(L"lbl11", L"Nickname:", {2, 55, 80, 17});
    TOrixEdit::CreateArgs nickname;
    nickname.parent = fxpnl1;
    nickname.name = L"fxdtnk";
    nickname.bounds = {90, 49, 357, 26};
    fxdtnk = &Add<TOrixEdit>(nickname);
    fxdtnk->OnKeyPress = [](TOrixTextBox& box, wchar_t typed) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(box.EditHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const auto length = static_cast<size_t>(GetWindowTextLengthW(box.EditHandle()));
        return NicknameKeyAccepted(length, end > start ? end - start : 0, typed);
    };

    lbl12 = label(L"lbl12", L"Content:", {2, 90, 80, 17});
    TOrixRichEdit::CreateArgs content;
    content.parent = fxpnl1;
    content.name = L"redt1";
    content.bounds = {90, 87, 615, 130};
    content.anchors = AnchorAll;
    redt1 = &Add<TOrixRichEdit>(content);

    TOrixButton::CreateArgs submit;
    submit.parent = fxpnl1;
    submit.name = L"btn1";
    submit.caption = L"Submit";
    submit.bounds = {90, 228, 96, 28};
    submit.anchors = AnchorLeft | AnchorBottom;
    submit.picture = ImgModule().Picture(SkinPictureId::RateSubmit);
    btn1 = &Add<TOrixButton>(submit);
    SetFonts(*btn1, kWhite, kWhite, kWhite);
    btn1->OnClick = [this](TOrixControl&) { Submit(); };
}

void TfrmKoltRate::FormCreate() {
    TfrmBase::FormCreate();
    listTarget_ = TRateTarget::Create(Handle(), this);
    target_ = TRateTarget::Create(Handle(), this);
    painter_ = std::make_unique<TReviewListPainter>(*m_lstView);
    OnKeyPreview = [this](TOrixForm&, const MSG& message) { return KeyPreview(message); };
    OnPaintBackground = [this](TOrixForm&, TOrixCanvas& canvas) {
        // The line the tabs stand on.
        const int y = canvas.Scale(176);
        canvas.Fill({canvas.Scale(kListMargin), y, ClientWidth() - canvas.Scale(kListMargin), y + 1}, kTabLine);
    };

    TOrixListView& list = *m_lstView;
    const TimgModule& images = ImgModule();
    list.SetHeaderHeight(0);
    list.SetRowPicture(images.Store(8));
    list.SetSelectionPicture(images.Store(9));
    list.SetHeaderPicture(images.Store(10));
    list.SetScrollBarSkin(images.ScrollBarSkin());
    list.SetWheelStep(60);
    list.OnDrawRow = [this](TOrixListView&, TOrixCanvas& canvas, int index, const RECT& row) {
        painter_->PaintEntry(canvas, index, row);
    };
    list.OnDrawBackground = [this](TOrixListView&, TOrixCanvas& canvas, const RECT& client) {
        painter_->PaintEmptyList(canvas, client);
    };
    list.OnRowMouseMove = [this](TOrixListView&, int x, int y, int index) { RowMouseMove(x, y, index); };
    list.OnRowClick = [this](TOrixListView&, int index, int x, int y) { RowClick(index, x, y); };
    list.OnResize = [this](TOrixControl&) {
        RemeasureEntries();
        PlaceCommentNowLink();
    };
    // Laid out for its tab before the opening's first page arrives, so that
    // the entries are measured at the width they are shown in.
    SelectTab(0);
}

void TfrmKoltRate::TranslateForm() {
    TfrmBase::TranslateForm();
    if (btn2) btn2->SetCaption(Text(L"Translation", L"TfrmKoltRate.lsttab.item0", L"User Reviews"));
    if (btn3) btn3->SetCaption(Text(L"Translation", L"TfrmKoltRate.lsttab.item1", L"My Review"));
    for (TOrixTextBox* box : {static_cast<TOrixTextBox*>(fxdtnk), static_cast<TOrixTextBox*>(redt1)}) {
        if (!box) continue;
        box->Font.CopyFrom(Font());
        box->Font.SetColor(RGB(0, 0, 0));
        box->ApplyFont();
    }
    if (cbb1) {
        cbb1->Font.CopyFrom(Font());
        cbb1->Font.SetColor(kText);
        cbb1->ApplyFont();
    }
    PlaceCommentNowLink();
}

void TfrmKoltRate::StartOpening(std::function<void()> onEnd) {
    StartOpeningConversation(Reviewed(), listTarget_, std::move(onEnd));
}

void TfrmKoltRate::PrepareForShow() {
    lbl1->SetCaption(PlainLine(Addon.Name + L" " + Addon.Version, kLongestNameLine));
    lbl3->SetCaption(PlainParagraphs(Addon.Description, kLongestDescription));
    m_lstView->SetColumns({150});
    cbb1->Clear();
    cbb1->AddItem(Text(L"Translation", L"TfrmKoltRate.cbb1.item0", L"Useful or Not"));
    cbb1->AddItem(Text(L"Translation", L"TfrmKoltRate.cbb1.item1", L"Date"));
    cbb1->SetItemIndex(0);
    SelectTab(0);
}

int TfrmKoltRate::MyScore() const { return img13 ? img13->Score() : 0; }

void TfrmKoltRate::SelectTab(int tag) {
    myReviewTab_ = tag == 1;
    if (!myReviewTab_) {
        const int height = kDesignHeight - 147 - 30 - kListMargin;
        m_lstView->SetDesignBounds({kListMargin, kListTop, kDesignWidth - 2 * kListMargin, height});
        m_lstView->SetVisible(true);
        fxpnl1->SetVisible(false);
    } else {
        fxpnl1->SetVisible(true);
        m_lstView->SetVisible(false);
    }
    btn2->SetSelected(!myReviewTab_);
    btn3->SetSelected(myReviewTab_);
    // The keyboard must not stay on a control that was just hidden.
    HWND focus = GetFocus();
    const HWND hidden = myReviewTab_ ? m_lstView->Handle() : fxpnl1->Handle();
    if (focus && (focus == hidden || IsChild(hidden, focus))) (myReviewTab_ ? btn3 : btn2)->SetFocus();
}

void TfrmKoltRate::SortChanged() {
    const int chosen = cbb1->ItemIndex() == 1 ? 1 : 0;
    // The drop-down list may report the entry that was already chosen.
    if (chosen == sortType_) return;
    sortType_ = chosen;
    TOrixListView& list = *m_lstView;
    list.BeginUpdate();
    list.Rows().Clear();
    list.SetSelected(-1);
    list.ScrollTo(0);
    list.EndUpdate();
    PlaceCommentNowLink();
    // A page or an earlier order still on its way belongs to the old list.
    listTarget_->Close();
    listTarget_ = TRateTarget::Create(Handle(), this);
    pageRunning_ = false;
    auto ended = std::make_shared<bool>(false);
    StartCommentsConversation(serverPlugId_, sortType_, 0, listTarget_, [ended] { *ended = true; });
    PumpWithoutInput([ended] { return *ended; }, kSortWaitMs);
}

void TfrmKoltRate::NextPage() {
    const TOrixListModel& rows = m_lstView->Rows();
    const int count = rows.Count();
    // One page at a time: a second click while one is on its way would
    // fetch the same reviews again.
    if (pageRunning_ || count < 2 || !rows.DataAs<TItemData>(count - 2)) return;
    pageRunning_ = true;
    StartCommentsConversation(serverPlugId_, sortType_, count - 1, listTarget_, [this] { pageRunning_ = false; });
}

void TfrmKoltRate::FillReviews(const std::vector<TReviewEntry>& reviews, bool more) {
    TOrixListView& list = *m_lstView;
    TOrixListModel& rows = list.Rows();
    list.BeginUpdate();
    if (rows.Count() > 0 && !rows.DataAs<TItemData>(rows.Count() - 1)) rows.Remove(rows.Count() - 1);
    for (const TReviewEntry& review : reviews) {
        auto entry = std::make_unique<TItemData>(review.CommentId, review.Nickname, review.Content, review.Score,
                                                 review.Date);
        const int height = painter_->EntryHeight(*entry);
        const std::wstring caption = entry->ShownNickname;
        const int at = rows.Add(caption, std::move(entry));
        rows.SetHeight(at, height);
    }
    if (more) rows.Add(L"");
    list.EndUpdate();
    PlaceCommentNowLink();
}

void TfrmKoltRate::InsertOwnReview(int commentId) {
    auto entry = std::make_unique<TItemData>(commentId, posted_.Nickname, posted_.Content, posted_.Score,
                                             TodayShortDate());
    const int height = painter_->EntryHeight(*entry);
    TOrixListView& list = *m_lstView;
    list.BeginUpdate();
    const std::wstring caption = entry->ShownNickname;
    list.Rows().Insert(0, caption, std::move(entry));
    list.Rows().SetHeight(0, height);
    if (list.Selected() >= 0) list.SetSelected(list.Selected() + 1);
    list.ScrollTo(0);
    list.EndUpdate();
    PlaceCommentNowLink();
    SelectTab(0);
}

void TfrmKoltRate::RemeasureEntries() {
    TOrixListView& list = *m_lstView;
    if (list.ClientWidth() == listWidth_) return;
    listWidth_ = list.ClientWidth();
    TOrixListModel& rows = list.Rows();
    list.BeginUpdate();
    for (int i = 0; i < rows.Count(); ++i)
        if (const auto* entry = rows.DataAs<TItemData>(i)) rows.SetHeight(i, painter_->EntryHeight(*entry));
    list.EndUpdate();
}

void TfrmKoltRate::PlaceCommentNowLink() {
    if (!lblfirst || !m_lstView || !painter_) return;
    const bool empty = m_lstView->Rows().Count() == 0;
    if (empty) {
        const UINT dpi = m_lstView->Dpi();
        const RECT picture =
            painter_->EmptyPicture(m_lstView->ClientWidth(), m_lstView->ClientHeight(), dpi);
        // As wide as its text, under the middle of the picture.
        const UniqueDc dc(CreateCompatibleDC(nullptr));
        int width = 100;
        if (dc) {
            const SelectedObject font(dc.get(), lblfirst->Font.Handle(dpi));
            SIZE size = {};
            const std::wstring caption = lblfirst->Caption();
            GetTextExtentPoint32W(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &size);
            width = std::max(width, UnscaleForDpi(size.cx, dpi) + 8);
        }
        const int centre = UnscaleForDpi((picture.left + picture.right) / 2, dpi);
        lblfirst->SetDesignBounds(
            {centre - width / 2, UnscaleForDpi(picture.bottom, dpi) + 25, width, 25});
    }
    lblfirst->SetVisible(empty);
}

void TfrmKoltRate::RowMouseMove(int x, int y, int index) {
    TOrixListView& list = *m_lstView;
    auto* entry = list.Rows().DataAs<TItemData>(index);
    bool hand = !entry;  // the paging entry is one link
    if (entry) {
        const TReviewEntryParts parts = painter_->PartsOf(index);
        entry->LikeRect = parts.LikeRect;
        entry->DislikeRect = parts.DislikeRect;
        entry->ReportRect = parts.ReportRect;
        hand = OverReviewLink(*entry, {x, y});
    }
    list.SetCursor(hand ? LoadCursorW(nullptr, IDC_HAND) : nullptr);
    list.InvalidateRow(index);
}

void TfrmKoltRate::RowClick(int index, int x, int y) {
    auto* entry = m_lstView->Rows().DataAs<TItemData>(index);
    if (!entry) {
        NextPage();
        return;
    }
    // Where the links are now, by the rules they were drawn with.
    const TReviewEntryParts parts = painter_->PartsOf(index);
    entry->LikeRect = parts.LikeRect;
    entry->DislikeRect = parts.DislikeRect;
    entry->ReportRect = parts.ReportRect;
    const TReviewLink link = ClickedReviewLink(*entry, {x, y});
    if (link != TReviewLink::None) {
        painter_->FocusedLink = link;
        ActOnLink(index, link);
    }
}

void TfrmKoltRate::ActOnLink(int index, TReviewLink link) {
    const auto* entry = m_lstView->Rows().DataAs<TItemData>(index);
    if (!entry) return;
    if ((link == TReviewLink::Like || link == TReviewLink::Dislike) && entry->Judged) return;
    if (link == TReviewLink::Report && entry->Reported) return;
    const int score = link == TReviewLink::Like ? 1 : link == TReviewLink::Dislike ? 0 : 2;
    // The links stay as they are until the answer comes.
    StartJudgeConversation(entry->CommentId, score, target_);
}

void TfrmKoltRate::Submit() {
    const int score = MyScore();
    if (score == 0) {
        ConfirmMessage(Handle(), L"InputScores", TOrixMessageButtons::Ok, TOrixMessageIcon::Question);
        return;
    }
    posted_ = {fxdtnk->Text(), redt1->Text(), score};
    // One review on its way at a time; Submit comes back when it failed.
    posting_ = true;
    btn1->SetEnabled(false);
    StartAddCommentConversation(Reviewed(), serverPlugId_, posted_, target_, [this] {
        posting_ = false;
        if (!reviewClosed_) btn1->SetEnabled(true);
    });
}

TItemData* TfrmKoltRate::EntryOf(int commentId, int* index) {
    const TOrixListModel& rows = m_lstView->Rows();
    for (int i = 0; i < rows.Count(); ++i) {
        auto* entry = rows.DataAs<TItemData>(i);
        if (entry && entry->CommentId == commentId) {
            if (index) *index = i;
            return entry;
        }
    }
    return nullptr;
}

void TfrmKoltRate::ApplyPlugInfo(const TPlugInfo& info) {
    if (!info.HasRatingsCache) return;
    serverPlugId_ = info.ServerPlugId;
    starCounts_ = info.StarCounts;
    for (int i = 0; i < 5; ++i) countLabels_[i]->SetCaption(std::to_wstring(starCounts_[4 - i]));
    // The main window's list shows the new average too.
    const double average = info.RatingsAverage;
    Addon.Rating = std::isfinite(average) ? std::clamp(average, 0.0, 5.0) : 0.0;
    img2->Invalidate();
    for (TOrixImage* bar : bars_) bar->Invalidate();
}

void TfrmKoltRate::ShowNote(bool success, const wchar_t* key) {
    RECT window;
    GetWindowRect(Handle(), &window);
    const POINT at = {window.left + (window.right - window.left) / 2 - 60,
                      window.top + (window.bottom - window.top) / 2 - 35};
    const std::wstring text = Translate(L"Messages", key, L"");
    if (success)
        ShowInfoToast(at, text);
    else
        ShowErrorToast(at, text);
}

void TfrmKoltRate::HandleRatingResult(WPARAM code, LPARAM value) {
    const int commentId = static_cast<int>(value);
    auto mark = [&](bool judged) {
        int index = -1;
        if (TItemData* entry = EntryOf(commentId, &index)) {
            (judged ? entry->Judged : entry->Reported) = true;
            m_lstView->InvalidateRow(index);
        }
    };
    switch (code) {
    case RateCode::NotVerified: ShowNote(false, L"UnVerify"); break;
    case RateCode::CommentFailed: ShowNote(false, L"AddCommentF"); break;
    case RateCode::CommentStored:
        ShowNote(true, L"AddCommentS");
        reviewClosed_ = true;
        InsertOwnReview(commentId);
        btn1->SetEnabled(false);
        break;
    case RateCode::ReportStored:
        ShowNote(true, L"ReportS");
        mark(false);
        break;
    case RateCode::JudgementStored:
        ShowNote(true, L"AddScoreS");
        mark(true);
        break;
    case RateCode::AlreadyJudged:
        ShowNote(false, L"AddScoreF");
        mark(true);
        break;
    case RateCode::AlreadyCommented:
        ShowNote(false, L"Commented");
        reviewClosed_ = true;
        btn1->SetEnabled(false);
        break;
    case RateCode::AlreadyReported:
        ShowNote(false, L"ReportF");
        mark(false);
        break;
    case RateCode::Unreadable: ShowNote(false, L"unKnowError"); break;
    default: break;
    }
}

bool TfrmKoltRate::KeyPreview(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    switch (message.wParam) {
    case VK_ESCAPE:
        // An open drop-down list closes first.
        if (SendMessageW(cbb1->Handle(), CB_GETDROPPEDSTATE, 0, 0)) return false;
        Close();
        return true;
    case VK_TAB:
        if (control) {
            SelectTab(myReviewTab_ ? 0 : 1);
            (myReviewTab_ ? btn3 : btn2)->SetFocus();
            return true;
        }
        // The review text keeps Tab for leaving it, as the other boxes do.
        if (message.hwnd == redt1->EditHandle()) {
            SendMessageW(Handle(), WM_NEXTDLGCTL, shift ? 1 : 0, FALSE);
            return true;
        }
        return false;
    default:
        break;
    }
    if (message.hwnd != m_lstView->Handle() || control) return false;
    TOrixListView& list = *m_lstView;
    const int selected = list.Selected();
    static constexpr TReviewLink kOrder[] = {TReviewLink::Like, TReviewLink::Dislike, TReviewLink::Report};
    switch (message.wParam) {
    case VK_LEFT:
    case VK_RIGHT: {
        int at = 0;
        while (at < 2 && kOrder[at] != painter_->FocusedLink) ++at;
        at = std::clamp(at + (message.wParam == VK_RIGHT ? 1 : -1), 0, 2);
        painter_->FocusedLink = kOrder[at];
        list.InvalidateRow(selected);
        return true;
    }
    case VK_RETURN:
    case VK_SPACE:
        if (selected < 0) return true;
        if (!list.Rows().DataAs<TItemData>(selected))
            NextPage();
        else
            ActOnLink(selected, painter_->FocusedLink);
        return true;
    default:
        return false;
    }
}

void TfrmKoltRate::PaintIcon(TOrixCanvas& canvas) {
    const RECT box = img1->ClientRect();
    if (!Addon.Icon) {
        canvas.Picture(ImgModule().Store(1), 0, box);
        return;
    }
    Gdiplus::Graphics graphics(canvas.Dc());
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics.DrawImage(Addon.Icon.get(), Gdiplus::Rect(box.left, box.top, box.right - box.left, box.bottom - box.top));
}

void TfrmKoltRate::PaintAverage(TOrixCanvas& canvas) {
    const TimgModule& images = ImgModule();
    const auto stars = RatingStars(Addon.Rating);
    const int size = canvas.Scale(21);
    for (int n = 0; n < 5; ++n) {
        const int picture = stars[n] == TStarLook::Lit ? 20 : stars[n] == TStarLook::Half ? 22 : 21;
        const int x = canvas.Scale(21 * n);
        canvas.Picture(images.Store(picture), 0, {x, 0, x + size, size});
    }
}

void TfrmKoltRate::PaintBar(TOrixImage& bar, TOrixCanvas& canvas) {
    const RECT box = bar.ClientRect();
    const TimgModule& images = ImgModule();
    canvas.Picture(images.Store(11), 0, box);
    const int stars = static_cast<int>(bar.Tag());
    if (stars < 1 || stars > 5) return;
    const int largest = *std::max_element(starCounts_.begin(), starCounts_.end());
    const int fill = HistogramFillWidth(starCounts_[stars - 1], largest, box.right);
    if (fill > 0) canvas.Picture(images.Store(12), 0, {0, 0, fill, box.bottom});
}

void TfrmKoltRate::PaintBarStars(TOrixImage& box, TOrixCanvas& canvas) {
    const TOrixStrip star = ImgModule().Store(19);
    const RECT client = box.ClientRect();
    const int width = canvas.Scale(star.DesignWidth());
    for (int i = 1; i <= static_cast<int>(box.Tag()) && i <= 5; ++i) {
        const int left = client.right - i * width;
        canvas.Picture(star, 0, {left, 0, left + width, client.bottom});
    }
}

LRESULT TfrmKoltRate::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_RATING_RESULT:
        HandleRatingResult(wp, lp);
        return 0;
    case WM_DESTROY:
        if (listTarget_) listTarget_->Close();
        if (target_) target_->Close();
        break;
    default:
        break;
    }
    return TfrmBase::WndProc(msg, wp, lp);
}
