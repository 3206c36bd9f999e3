#pragma once
// The base of the program's translatable windows (main window, reviews
// window, about box): a skinned form that applies the active language to
// itself when it is made and again on WM_LANGUAGE_CHANGED — the language's
// font face, size and character set, the window caption, and the caption
// and fonts of every skinned button and label. Texts are found in the
// Translation section by class name (".Caption" for the window, "." plus the
// component name plus ".caption" for a control).
#include <string>

#include "ui/toolkit/OrixForm.h"

class TfrmBase : public TOrixForm {
public:
    // className names the window in the language file ("TfrmKoltMain").
    explicit TfrmBase(std::wstring className);

    const std::wstring& ClassName() const { return className_; }

    // Makes the window with the skin's frame, then its components
    // (CreateComponents), then runs FormCreate.
    bool CreateForm(const CreateArgs& args);

    // The arguments of a window owned by another that Escape closes, without
    // a menu button: name, design caption and client size.
    static CreateArgs OwnedWindowArgs(const wchar_t* name, const wchar_t* caption, int clientWidth,
                                      int clientHeight, TOrixForm* owner);

    // Applies the active language; subclasses that add texts of their own
    // call this first. Running it again gives the same fonts, never larger.
    virtual void TranslateForm();

protected:
    // The window's own controls, made before the first translation.
    virtual void CreateComponents() {}
    // The creation handler: translates the window. Subclasses with their
    // own creation steps call this first.
    virtual void FormCreate();

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    std::wstring className_;
};
