#include "ui/toolkit/OrixPopupMenu.h"

#include "ui/toolkit/OrixForm.h"
#include "ui/toolkit/OrixMenuWindow.h"

namespace {

// The next item that can be highlighted from `from` in direction `step`,
// going round; -1 when there is none.
int NextSelectable(const TOrixMenuItem& items, int from, int step) {
    const int count = items.Count();
    for (int n = 1; n <= count; ++n) {
        const int i = ((from + step * n) % count + count) % count;
        if (items.Item(i).Selectable()) return i;
    }
    return -1;
}

}  // namespace

TOrixPopupMenu::TOrixPopupMenu() : TOrixComponent(TOrixKind::PopupMenu) {}

TOrixPopupMenu::~TOrixPopupMenu() = default;

bool TOrixPopupMenu::Create(const CreateArgs& args) {
    SetName(args.name);
    ItemHeight = args.itemHeight;
    return true;
}

int TOrixPopupMenu::HotIndex(int level) const {
    return level >= 0 && level < OpenLevels() ? levels_[level]->Hot() : -1;
}

HWND TOrixPopupMenu::LevelWindow(int level) const {
    return level >= 0 && level < OpenLevels() ? levels_[level]->Handle() : nullptr;
}

bool TOrixPopupMenu::IsMenuWindow(HWND window) const {
    for (const auto& level : levels_) {
        if (level->Handle() == window) return true;
    }
    return false;
}

void TOrixPopupMenu::OpenLevel(TOrixMenuItem& items, POINT at, const RECT* besides) {
    auto window = std::make_unique<TOrixMenuWindow>(*this, items, OpenLevels());
    HWND owner = OwnerForm() ? OwnerForm()->Handle() : nullptr;
    if (window->Open(at, besides, owner)) levels_.push_back(std::move(window));
}

void TOrixPopupMenu::CloseLevelsAbove(int level) {
    while (OpenLevels() > level + 1) levels_.pop_back();
}

void TOrixPopupMenu::OpenSubMenu(int level, int index, bool selectFirst) {
    // Only one level of sub-menus.
    if (level != 0) return;
    TOrixMenuItem& item = levels_[level]->Items().Item(index);
    if (!item.Selectable() || !item.HasSubMenu()) return;
    CloseLevelsAbove(level);
    const RECT besides = levels_[level]->ItemScreenRect(index);
    OpenLevel(item, {besides.right, besides.top}, &besides);
    if (selectFirst && OpenLevels() > level + 1) levels_.back()->SetHot(NextSelectable(item, -1, 1));
}

bool TOrixPopupMenu::Popup(int x, int y) {
    if (open_) return false;
    open_ = true;
    done_ = false;
    chosen_ = nullptr;
    OpenLevel(items_, {x, y}, nullptr);
    if (levels_.empty()) {
        open_ = false;
        return false;
    }
    if (OnShown) OnShown(*this);
    // Messages are taken without blocking so that the menu also notices when
    // another program comes to the front (which sends this thread nothing).
    // Only a change counts: the click that opened the menu may still be
    // bringing this program to the front, and the window that was in front
    // when the menu opened is no reason to close it.
    HWND lastFront = GetForegroundWindow();
    MSG message;
    while (!done_) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            const HWND front = GetForegroundWindow();
            const bool otherCameToFront = front && front != lastFront &&
                                          GetWindowThreadProcessId(front, nullptr) != GetCurrentThreadId();
            lastFront = front;
            if (otherCameToFront) break;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            continue;
        }
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (Intercept(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    levels_.clear();
    open_ = false;
    TOrixMenuItem* chosen = chosen_;
    chosen_ = nullptr;
    if (!chosen) return false;
    chosen->ApplyAutoCheck();
    // A handler may rebuild the menu, which destroys the item and its
    // handler: the handler runs from a copy, and the item is not used once
    // a handler has run.
    const std::function<void(TOrixMenuItem&)> click = chosen->OnClick;
    if (OnItemClick) {
        OnItemClick(*this, *chosen);
        return true;
    }
    if (click) click(*chosen);
    return true;
}

bool TOrixPopupMenu::Intercept(const MSG& message) {
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        HandleKey(static_cast<UINT>(message.wParam));
        return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        if (IsMenuWindow(message.hwnd)) return false;
        // A press anywhere else closes the menu and goes no further.
        done_ = true;
        return true;
    default:
        return false;
    }
}

void TOrixPopupMenu::HandleKey(UINT key) {
    if (levels_.empty()) {
        done_ = true;
        return;
    }
    const int level = OpenLevels() - 1;
    TOrixMenuWindow& window = *levels_[level];
    TOrixMenuItem& items = window.Items();
    const int hot = window.Hot();
    switch (key) {
    case VK_DOWN:
        window.SetHot(NextSelectable(items, hot, 1));
        return;
    case VK_UP:
        window.SetHot(NextSelectable(items, hot < 0 ? 0 : hot, -1));
        return;
    case VK_HOME:
        window.SetHot(NextSelectable(items, -1, 1));
        return;
    case VK_END:
        window.SetHot(NextSelectable(items, 0, -1));
        return;
    case VK_RIGHT:
        if (hot >= 0) OpenSubMenu(level, hot, true);
        return;
    case VK_LEFT:
        if (level > 0) CloseLevelsAbove(level - 1);
        return;
    case VK_ESCAPE:
        if (level > 0)
            CloseLevelsAbove(level - 1);
        else
            done_ = true;
        return;
    case VK_RETURN:
    case VK_SPACE:
        if (hot >= 0) ChooseItem(level, hot);
        return;
    case VK_MENU:
    case VK_F10:
        done_ = true;
        return;
    default:
        break;
    }
    // An access key chooses (or opens) its item.
    for (int i = 0; i < items.Count(); ++i) {
        if (items.Item(i).Selectable() && items.Item(i).AccessKey() == static_cast<wchar_t>(key)) {
            window.SetHot(i);
            ChooseItem(level, i);
            return;
        }
    }
}

void TOrixPopupMenu::HoverItem(int level, int index) {
    if (level < 0 || level >= OpenLevels()) return;
    TOrixMenuWindow& window = *levels_[level];
    if (index >= 0 && !window.Items().Item(index).Selectable()) index = -1;
    if (index == window.Hot()) return;
    window.SetHot(index);
    CloseLevelsAbove(level);
    if (index >= 0) OpenSubMenu(level, index, false);
}

void TOrixPopupMenu::ChooseItem(int level, int index) {
    if (level < 0 || level >= OpenLevels() || index < 0) return;
    TOrixMenuItem& item = levels_[level]->Items().Item(index);
    if (!item.Selectable()) return;
    if (item.HasSubMenu()) {
        OpenSubMenu(level, index, true);
        return;
    }
    chosen_ = &item;
    done_ = true;
}
