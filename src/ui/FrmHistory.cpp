#include "ui/FrmHistory.h"

#include <cstdio>

#include "app/LanguageLookup.h"
#include "browsers/history/HistoryUndo.h"
#include "platform/GdiplusInclude.h"
#include "platform/Utf.h"
#include "ui/ConfirmMessage.h"
#include "ui/FrmKoltMain.h"
#include "ui/ImgModule.h"

namespace {

constexpr wchar_t kClassName[] = L"TfrmHistory";
constexpr int kDesignWidth = 640;
constexpr int kDesignHeight = 430;
constexpr int kRowHeight = 52;
constexpr COLORREF kEvenRow = OrixRgb(0xF4F7FA);
constexpr COLORREF kText = OrixRgb(0x383838);
constexpr COLORREF kGrey = OrixRgb(0x808080);
constexpr COLORREF kUndone = OrixRgb(0x1695E6);
constexpr COLORREF kWhite = OrixRgb(0xFFFFFF);
constexpr COLORREF kWarning = OrixRgb(0xC0392B);

std::wstring Text(const std::wstring& key, const std::wstring& fallback) {
    return Translate(L"Translation", L"TfrmHistory." + key, fallback);
}

// "2026-12-11T12:30:05Z" in the user's local date and time form.
std::wstring LocalTimeText(const std::string& utc) {
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (std::sscanf(utc.c_str(), "%4u-%2u-%2uT%2u:%2u:%2u", &year, &month, &day, &hour, &minute, &second) != 6)
        return ToWide(utc);
    SYSTEMTIME stamp{};
    stamp.wYear = static_cast<WORD>(year);
    stamp.wMonth = static_cast<WORD>(month);
    stamp.wDay = static_cast<WORD>(day);
    stamp.wHour = static_cast<WORD>(hour);
    stamp.wMinute = static_cast<WORD>(minute);
    stamp.wSecond = static_cast<WORD>(second);
    SYSTEMTIME local{};
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &stamp, &local)) local = stamp;
    wchar_t date[64] = {}, time[64] = {};
    if (!GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, 64) ||
        !GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &local, nullptr, time, 64))
        return ToWide(utc);
    return std::wstring(date) + L" " + time;
}

std::wstring BrowserText(const THistoryRecord& record) {
    std::wstring text = ToWide(record.browserName.empty() ? record.browser : record.browserName);
    const std::string& profile = record.profileName.empty() ? record.profile : record.profileName;
    if (!profile.empty()) text += L" (" + ToWide(profile) + L")";
    return text;
}

// The add-on's icon while it is listed by the browser profile.
const TBrowserExtensionInfo* ListedAddon(const BrowserList& browsers, const THistoryRecord& record) {
    const std::wstring id = ToWide(record.addonId), profile = ToWide(record.profile);
    for (const auto& adapter : browsers) {
        if (adapter->ProfileFolder != profile || ToWide(record.browserName) != adapter->DisplayName) continue;
        for (int i = 0; i < adapter->GetExtensionCount(); ++i)
            if (const TBrowserExtensionInfo* addon = adapter->GetExtension(i); addon->Id == id) return addon;
    }
    return nullptr;
}

}  // namespace

TfrmHistory::TfrmHistory(TfrmKoltMain& main, THistoryJournal journal)
    : TfrmBase(kClassName), main_(main), journal_(std::move(journal)) {}

TfrmHistory::~TfrmHistory() = default;

bool TfrmHistory::CreateHistoryWindow() {
    CreateArgs args = OwnedWindowArgs(L"frmHistory", L"History", kDesignWidth, kDesignHeight, &main_);
    args.resizable = true;
    return CreateForm(args);
}

void TfrmHistory::CreateComponents() {
    TOrixListView::CreateArgs list;
    list.name = L"m_lstView";
    list.bounds = {10, 40, kDesignWidth - 20, kDesignHeight - 90};
    list.anchors = AnchorAll;
    list.rowHeight = kRowHeight;
    m_lstView = &Add<TOrixListView>(list);

    TOrixLabel::CreateArgs note;
    note.name = L"lblNote";
    note.bounds = {10, kDesignHeight - 40, kDesignWidth - 140, 30};
    note.anchors = AnchorLeft | AnchorRight | AnchorBottom;
    note.wordWrap = true;
    lblNote = &Add<TOrixLabel>(note);
    for (TOrixFont* font : {&lblNote->Font, &lblNote->FontOver, &lblNote->FontDown, &lblNote->FontDisable})
        font->SetColor(kWarning);

    TOrixButton::CreateArgs undo;
    undo.name = L"btnUndo";
    undo.caption = L"Undo";
    undo.bounds = {kDesignWidth - 116, kDesignHeight - 42, 96, 28};
    undo.anchors = AnchorRight | AnchorBottom;
    undo.picture = ImgModule().Picture(SkinPictureId::RateSubmit);
    btnUndo = &Add<TOrixButton>(undo);
    for (TOrixFont* font : {&btnUndo->FontNormal, &btnUndo->FontOver, &btnUndo->FontDown, &btnUndo->FontFocus,
                            &btnUndo->FontSelect})
        font->SetColor(kWhite);
    btnUndo->FontDisable.SetColor(kGrey);
    btnUndo->OnClick = [this](TOrixControl&) { UndoSelected(); };
}

void TfrmHistory::FormCreate() {
    TfrmBase::FormCreate();
    OnKeyPreview = [this](TOrixForm&, const MSG& message) { return KeyPreview(message); };
    TOrixListView& list = *m_lstView;
    const TimgModule& images = ImgModule();
    list.SetHeaderHeight(0);
    list.SetRowPicture(images.Store(8));
    list.SetSelectionPicture(images.Store(9));
    list.SetScrollBarSkin(images.ScrollBarSkin());
    list.SetColumns({kDesignWidth - 40});
    list.OnDrawRowBackground = [](TOrixListView&, TOrixCanvas& canvas, int index, const RECT& row) {
        if (index % 2 == 0) canvas.Fill({0, row.top, row.right, row.bottom}, kEvenRow);
    };
    list.OnDrawRow = [this](TOrixListView&, TOrixCanvas& canvas, int index, const RECT& row) {
        PaintRow(canvas, index, row);
    };
    list.OnDrawBackground = [this](TOrixListView&, TOrixCanvas& canvas, const RECT& client) {
        PaintEmpty(canvas, client);
    };
    list.OnRowClick = [this](TOrixListView&, int index, int, int) { RowClick(index); };
    list.OnSelectionChanged = [this](TOrixListView&, int) { ShowNote({}); };
    FillList();
    if (list.Rows().Count() > 0) list.SetSelected(0);
}

void TfrmHistory::TranslateForm() {
    TfrmBase::TranslateForm();
    SetCaption(Text(L"Caption", L"History"));
    nameFont_.CopyFrom(Font());
    nameFont_.SetBold(true);
    nameFont_.SetColor(kText);
    detailFont_.CopyFrom(Font());
    detailFont_.SetColor(kGrey);
    if (m_lstView) m_lstView->Invalidate();
}

void TfrmHistory::FillList() {
    const int selected = m_lstView->Selected();
    entries_ = journal_.List();
    TOrixListView& list = *m_lstView;
    list.BeginUpdate();
    list.Rows().Clear();
    for (const THistoryEntry& entry : entries_)
        list.Rows().Add(entry.record ? ToWide(entry.record->addonName) : std::wstring());
    list.EndUpdate();
    if (selected >= 0 && selected < list.Rows().Count()) list.SetSelected(selected);
}

std::wstring TfrmHistory::ActionText(const THistoryRecord& record) const {
    switch (record.action) {
    case HistoryAction::Switch:
        return record.disabledBefore ? Text(L"SwitchedOn", L"Switched on") : Text(L"SwitchedOff", L"Switched off");
    case HistoryAction::Remove: return Text(L"Removed", L"Removed");
    case HistoryAction::Default: return Text(L"MadeDefault", L"Set as default browser");
    }
    return {};
}

void TfrmHistory::PaintRow(TOrixCanvas& canvas, int index, const RECT& row) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    const THistoryEntry& entry = entries_[static_cast<std::size_t>(index)];
    const RECT box = {row.left + canvas.Scale(10), row.top + canvas.Scale(10), row.left + canvas.Scale(42),
                      row.top + canvas.Scale(42)};
    const int textLeft = row.left + canvas.Scale(54);
    const RECT nameLine = {textLeft, row.top + canvas.Scale(9), row.right - canvas.Scale(10), row.bottom};
    const RECT detailLine = {textLeft, row.top + canvas.Scale(29), row.right - canvas.Scale(10), row.bottom};
    constexpr UINT kLine = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (!entry.record) {
        canvas.Picture(ImgModule().Store(1), 0, box);
        canvas.Text(Text(L"Unreadable", L"This record cannot be read"), nameLine, nameFont_, kLine);
        canvas.Text(entry.file, detailLine, detailFont_, kLine | DT_PATH_ELLIPSIS);
        return;
    }
    const THistoryRecord& record = *entry.record;
    const TBrowserExtensionInfo* addon =
        record.action == HistoryAction::Default ? nullptr : ListedAddon(main_.Browsers(), record);
    if (addon && addon->Icon) {
        Gdiplus::Graphics graphics(canvas.Dc());
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.DrawImage(addon->Icon.get(), Gdiplus::Rect(box.left, box.top, box.right - box.left, box.bottom - box.top));
    } else {
        canvas.Picture(ImgModule().Store(1), 0, box);
    }
    std::wstring name = record.action == HistoryAction::Default ? BrowserText(record) : ToWide(record.addonName);
    if (name.empty()) name = ToWide(record.addonId);
    canvas.Text(ActionText(record) + L": " + name, nameLine, nameFont_, kLine);
    std::wstring detail = LocalTimeText(record.time) + L"   " + BrowserText(record);
    canvas.Text(detail, detailLine, detailFont_, kLine);
    if (!record.undone.empty()) {
        TOrixFont mark = detailFont_;
        mark.SetColor(kUndone);
        mark.SetBold(true);
        canvas.Text(Text(L"Undone", L"Undone"), nameLine, mark, kLine | DT_RIGHT);
    }
}

void TfrmHistory::PaintEmpty(TOrixCanvas& canvas, const RECT& client) {
    canvas.Text(Text(L"Empty", L"No changes have been made yet."), client, detailFont_,
                DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

void TfrmHistory::RowClick(int index) {
    const ULONGLONG now = GetTickCount64();
    const bool second = index == lastClickRow_ && now - lastClickTime_ <= GetDoubleClickTime();
    lastClickRow_ = second ? -1 : index;
    lastClickTime_ = now;
    if (second) UndoSelected();
}

void TfrmHistory::ShowNote(const std::wstring& text) {
    note_ = text;
    lblNote->SetCaption(text);
}

void TfrmHistory::UndoSelected() {
    const int index = m_lstView->Selected();
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    THistoryEntry& entry = entries_[static_cast<std::size_t>(index)];
    const TUndoResult result = UndoHistoryEntry(journal_, entry, main_.Browsers());
    switch (result.outcome) {
    case UndoOutcome::Done:
        ShowNote({});
        // The files changed under the main window's adapters.
        main_.ReloadBrowsers();
        FillList();
        break;
    case UndoOutcome::BrowserRunning:
        ShowNote(ToWide(result.note));
        ConfirmMessage(Handle(), L"BIsRuning", TOrixMessageButtons::Ok, TOrixMessageIcon::Question);
        break;
    case UndoOutcome::Impossible: ShowNote(ToWide(result.note)); break;
    }
    m_lstView->Invalidate();
}

bool TfrmHistory::KeyPreview(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
    if (message.hwnd != m_lstView->Handle() && message.hwnd != Handle()) return false;
    UndoSelected();
    return true;
}
