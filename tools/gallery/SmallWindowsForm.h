#pragma once
// The gallery's window for the program's small windows: a translatable
// base window (its bold heading has Tag 2) whose buttons show the two
// notifications, a question and a message in the skinned message box, and
// the wait window.
#include <memory>

#include "ui/FrmBase.h"
#include "ui/FrmWait.h"

class TOrixLabel;

class SmallWindowsForm : public TfrmBase {
public:
    SmallWindowsForm();
    // Screen point below a button, where its notification goes.
    POINT BelowButton(const wchar_t* name) const;
    void ShowInfo(POINT at);
    void ShowError(POINT at);
    void ShowLongError(POINT at);
    int AskQuestion();
    void ShowWait();

protected:
    void CreateComponents() override;

private:
    void AddButton(const wchar_t* name, const wchar_t* caption, int left, int top,
                   std::function<void()> action);

    TOrixLabel* answer_ = nullptr;
    std::unique_ptr<TfrmWait> wait_;
};
