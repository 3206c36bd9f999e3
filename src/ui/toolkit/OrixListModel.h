#pragma once
// The rows of a list view, kept apart from the control: each row has a
// caption, an optional height of its own and optional data that the row
// owns. The model answers where rows lie for a default height and a DPI.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Base of what an owner attaches to a row; the row frees it.
class TOrixRowData {
public:
    virtual ~TOrixRowData() = default;
};

class TOrixListModel {
public:
    int Count() const { return static_cast<int>(rows_.size()); }
    int Add(const std::wstring& caption, std::unique_ptr<TOrixRowData> data = {});
    void Insert(int index, const std::wstring& caption, std::unique_ptr<TOrixRowData> data = {});
    void Remove(int index);
    void Clear();

    const std::wstring& Caption(int index) const;
    void SetCaption(int index, const std::wstring& caption);
    TOrixRowData* Data(int index) const;
    template <class T>
    T* DataAs(int index) const { return dynamic_cast<T*>(Data(index)); }
    // Design pixels; 0 returns the row to the list's default height.
    void SetHeight(int index, int designHeight);
    int Height(int index) const;

    // Pixel positions at a DPI, rows of default height `designDefault`.
    int Top(int index, int designDefault, UINT dpi) const;
    int PixelHeight(int index, int designDefault, UINT dpi) const;
    int TotalHeight(int designDefault, UINT dpi) const;
    // The row covering content pixel y, or -1.
    int IndexAt(int y, int designDefault, UINT dpi) const;

    // Runs after every change.
    std::function<void()> OnChanged;

private:
    struct Row {
        std::wstring caption;
        int height = 0;
        std::unique_ptr<TOrixRowData> data;
    };
    void Changed();
    void Measure(int designDefault, UINT dpi) const;
    bool Valid(int index) const { return index >= 0 && index < Count(); }

    std::vector<Row> rows_;
    mutable std::vector<int> tops_;  // one more than rows: the last is the total
    mutable int measuredDefault_ = -1;
    mutable UINT measuredDpi_ = 0;
};
