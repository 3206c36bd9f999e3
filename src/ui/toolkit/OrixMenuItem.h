#pragma once
// One entry of a pop-up menu: a command, a check or radio item, a
// separator, or an item that opens a sub-menu of its own items.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TOrixMenuItem {
public:
    std::wstring Caption;   // "&" marks the access key
    std::wstring ShortCut;  // shown right-aligned, e.g. "F1"
    std::wstring Value;     // a free text for the owner (a language name)
    intptr_t Tag = 0;
    bool Checked = false;
    bool RadioItem = false;  // drawn with a dot; checking one unchecks its radio siblings of the same group
    int GroupIndex = 0;
    bool AutoCheck = false;  // a click flips the check (or sets it, for a radio item)
    bool Enabled = true;
    bool Visible = true;
    bool Separator = false;
    std::function<void(TOrixMenuItem&)> OnClick;

    TOrixMenuItem& Add(const std::wstring& caption);
    TOrixMenuItem& AddSeparator();
    TOrixMenuItem& Insert(int position, const std::wstring& caption);
    TOrixMenuItem& InsertSeparator(int position);
    void Remove(int position);
    void Clear() { items_.clear(); }
    int Count() const { return static_cast<int>(items_.size()); }
    TOrixMenuItem& Item(int position) const { return *items_[position]; }
    TOrixMenuItem* Parent() const { return parent_; }
    bool HasSubMenu() const;
    // Can be chosen or opened with the keyboard or the mouse.
    bool Selectable() const { return Visible && Enabled && !Separator; }
    // What a click does to the check marks.
    void ApplyAutoCheck();
    // The access key (upper case) after "&", or 0.
    wchar_t AccessKey() const;

private:
    std::vector<std::unique_ptr<TOrixMenuItem>> items_;
    TOrixMenuItem* parent_ = nullptr;
};
