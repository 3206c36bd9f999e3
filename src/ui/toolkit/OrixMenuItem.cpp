#include "ui/toolkit/OrixMenuItem.h"

#include <windows.h>

#include <algorithm>

TOrixMenuItem& TOrixMenuItem::Insert(int position, const std::wstring& caption) {
    position = std::clamp(position, 0, Count());
    auto item = std::make_unique<TOrixMenuItem>();
    item->Caption = caption;
    item->parent_ = this;
    TOrixMenuItem& made = *item;
    items_.insert(items_.begin() + position, std::move(item));
    return made;
}

TOrixMenuItem& TOrixMenuItem::Add(const std::wstring& caption) { return Insert(Count(), caption); }

TOrixMenuItem& TOrixMenuItem::InsertSeparator(int position) {
    TOrixMenuItem& item = Insert(position, L"-");
    item.Separator = true;
    return item;
}

TOrixMenuItem& TOrixMenuItem::AddSeparator() { return InsertSeparator(Count()); }

void TOrixMenuItem::Remove(int position) {
    if (position >= 0 && position < Count()) items_.erase(items_.begin() + position);
}

bool TOrixMenuItem::HasSubMenu() const {
    return std::any_of(items_.begin(), items_.end(), [](const auto& i) { return i->Visible; });
}

void TOrixMenuItem::ApplyAutoCheck() {
    if (!AutoCheck) return;
    if (!RadioItem) {
        Checked = !Checked;
        return;
    }
    if (parent_) {
        for (const auto& sibling : parent_->items_) {
            if (sibling.get() != this && sibling->RadioItem && sibling->GroupIndex == GroupIndex)
                sibling->Checked = false;
        }
    }
    Checked = true;
}

wchar_t TOrixMenuItem::AccessKey() const {
    for (size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != L'&') continue;
        if (Caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return static_cast<wchar_t>(reinterpret_cast<uintptr_t>(CharUpperW(
            reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(Caption[i + 1])))));
    }
    return 0;
}
