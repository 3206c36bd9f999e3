#include "ui/toolkit/OrixComboBox.h"

#include <algorithm>

namespace {

constexpr int kArrowWidth = 20;
constexpr int kTextIndent = 5;

}  // namespace

TOrixComboBox::TOrixComboBox() : TOrixControl(TOrixKind::ComboBox) {}

bool TOrixComboBox::Create(const CreateArgs& args) {
    CreateArgs withoutText = args;
    withoutText.caption.clear();
    if (!CreateSystemControl(withoutText, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)) return false;
    ApplyFont();
    return true;
}

void TOrixComboBox::ApplyFont() {
    if (!Handle()) return;
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font.Handle(Dpi())), TRUE);
    FitHeight();
}

void TOrixComboBox::FitHeight() {
    // The closed box is as high as its selection field plus the system's
    // frame; the field is adjusted until the box has the design height (the
    // frame is not the same on every system).
    SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, Scale(18));
    const int wanted = Scale(DesignBounds().height);
    // What is set is tracked here: some systems answer the field height
    // with a different measure than the one they take.
    int field = static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    for (int attempt = 0; attempt < 3 && field > 0; ++attempt) {
        RECT window;
        GetWindowRect(Handle(), &window);
        const int now = window.bottom - window.top;
        if (now == wanted) break;
        field = std::max(1, field + wanted - now);
        SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

int TOrixComboBox::AddItem(const std::wstring& text) {
    return static_cast<int>(SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void TOrixComboBox::Clear() { SendMessageW(Handle(), CB_RESETCONTENT, 0, 0); }

int TOrixComboBox::Count() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)); }

std::wstring TOrixComboBox::ItemText(int index) const {
    if (index < 0 || index >= Count()) return {};
    const LRESULT length = SendMessageW(Handle(), CB_GETLBTEXTLEN, index, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int TOrixComboBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void TOrixComboBox::SetItemIndex(int index) {
    SendMessageW(Handle(), CB_SETCURSEL, index, 0);
    Invalidate();
}

bool TOrixComboBox::HandleReflect(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND) return false;
    switch (HIWORD(wp)) {
    case CBN_SELCHANGE:
        Invalidate();
        if (OnChange) OnChange(*this);
        break;
    case CBN_DROPDOWN:
    case CBN_CLOSEUP:
    case CBN_SETFOCUS:
    case CBN_KILLFOCUS:
        Invalidate();
        break;
    default:
        return false;
    }
    result = 0;
    return true;
}

void TOrixComboBox::HandleDpiChanged() {
    ApplyFont();
    Invalidate();
}

void TOrixComboBox::HandleMouseEnter() {
    Invalidate();
    TOrixControl::HandleMouseEnter();
}

void TOrixComboBox::HandleMouseLeave() {
    Invalidate();
    TOrixControl::HandleMouseLeave();
}

void TOrixComboBox::PaintFace(HDC dc) {
    TOrixCanvas canvas(dc, Dpi());
    const RECT client = ClientRect();
    const bool dropped = SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
    canvas.Fill(client, Color);
    canvas.Frame(client, Focused() || dropped ? FocusBorderColor : BorderColor);
    const int arrowWidth = canvas.Scale(kArrowWidth);
    RECT text = {client.left + canvas.Scale(kTextIndent), client.top, client.right - arrowWidth, client.bottom};
    TOrixFont font = Font;
    if (!Enabled()) font.SetColor(RGB(0xA0, 0xA0, 0xA0));
    canvas.Text(Caption(), text, font, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    const RECT arrow = {client.right - arrowWidth, client.top, client.right, client.bottom};
    const int state = dropped ? 2 : Hovered() ? 1 : 0;
    if (!Arrow.Empty()) {
        const int w = canvas.Scale(Arrow.DesignWidth());
        const int h = canvas.Scale(Arrow.DesignHeight());
        const int x = (arrow.left + arrow.right - w) / 2;
        const int y = (arrow.top + arrow.bottom - h) / 2;
        canvas.Picture(Arrow, state, {x, y, x + w, y + h});
    } else {
        canvas.Arrow(arrow, true, state ? FocusBorderColor : font.Color());
    }
    if (Focused() && !dropped) {
        RECT focus = text;
        InflateRect(&focus, canvas.Scale(2), -canvas.Scale(3));
        canvas.FocusFrame(focus);
    }
}

LRESULT TOrixComboBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        PaintFace(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintFace(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE: {
        const LRESULT r = TOrixControl::WndProc(msg, wp, lp);
        Invalidate();
        return r;
    }
    default:
        return TOrixControl::WndProc(msg, wp, lp);
    }
}
