#include "ui/toolkit/OrixListModel.h"

#include <algorithm>

#include "ui/toolkit/OrixDpi.h"

namespace {

const std::wstring kNoCaption;

}  // namespace

void TOrixListModel::Changed() {
    measuredDefault_ = -1;
    if (OnChanged) OnChanged();
}

int TOrixListModel::Add(const std::wstring& caption, std::unique_ptr<TOrixRowData> data) {
    rows_.push_back({caption, 0, std::move(data)});
    Changed();
    return Count() - 1;
}

void TOrixListModel::Insert(int index, const std::wstring& caption, std::unique_ptr<TOrixRowData> data) {
    index = std::clamp(index, 0, Count());
    rows_.insert(rows_.begin() + index, Row{caption, 0, std::move(data)});
    Changed();
}

void TOrixListModel::Remove(int index) {
    if (!Valid(index)) return;
    rows_.erase(rows_.begin() + index);
    Changed();
}

void TOrixListModel::Clear() {
    rows_.clear();
    Changed();
}

const std::wstring& TOrixListModel::Caption(int index) const { return Valid(index) ? rows_[index].caption : kNoCaption; }

void TOrixListModel::SetCaption(int index, const std::wstring& caption) {
    if (!Valid(index)) return;
    rows_[index].caption = caption;
    if (OnChanged) OnChanged();
}

TOrixRowData* TOrixListModel::Data(int index) const { return Valid(index) ? rows_[index].data.get() : nullptr; }

void TOrixListModel::SetHeight(int index, int designHeight) {
    if (!Valid(index)) return;
    rows_[index].height = std::max(0, designHeight);
    Changed();
}

int TOrixListModel::Height(int index) const { return Valid(index) ? rows_[index].height : 0; }

void TOrixListModel::Measure(int designDefault, UINT dpi) const {
    if (measuredDefault_ == designDefault && measuredDpi_ == dpi && tops_.size() == rows_.size() + 1) return;
    tops_.resize(rows_.size() + 1);
    const int defaultPixels = ScaleForDpi(designDefault, dpi);
    int y = 0;
    for (size_t i = 0; i < rows_.size(); ++i) {
        tops_[i] = y;
        y += rows_[i].height ? ScaleForDpi(rows_[i].height, dpi) : defaultPixels;
    }
    tops_[rows_.size()] = y;
    measuredDefault_ = designDefault;
    measuredDpi_ = dpi;
}

int TOrixListModel::Top(int index, int designDefault, UINT dpi) const {
    Measure(designDefault, dpi);
    return tops_[std::clamp(index, 0, Count())];
}

int TOrixListModel::PixelHeight(int index, int designDefault, UINT dpi) const {
    if (!Valid(index)) return 0;
    Measure(designDefault, dpi);
    return tops_[index + 1] - tops_[index];
}

int TOrixListModel::TotalHeight(int designDefault, UINT dpi) const {
    Measure(designDefault, dpi);
    return tops_.back();
}

int TOrixListModel::IndexAt(int y, int designDefault, UINT dpi) const {
    Measure(designDefault, dpi);
    if (y < 0 || y >= tops_.back()) return -1;
    // The last row top at or above y.
    const auto after = std::upper_bound(tops_.begin(), tops_.end() - 1, y);
    return static_cast<int>(after - tops_.begin()) - 1;
}
