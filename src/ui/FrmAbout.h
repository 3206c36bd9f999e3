#pragma once
// The about box: the program's version, the support mail address and the
// web address (both open when clicked), and the names of the translators of
// the language files. Made for each use and shown modally over the main
// window; it takes the active language when it is made.
#include "ui/FrmBase.h"
#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixLabel.h"
#include "ui/toolkit/OrixRichEdit.h"

class TfrmAbout : public TfrmBase {
public:
    TfrmAbout();

    // Makes the box, hidden, centred over owner (none: the screen).
    bool CreateAbout(TOrixForm* owner);

    // What the box shows, for tests.
    std::wstring VersionText() const { return lblverinfo->Caption(); }
    std::wstring SupportAddress() const { return lblsupport->Caption(); }
    std::wstring WebAddress() const { return lblweb->Caption(); }
    std::wstring Acknowledgements() const { return mmo1->Text(); }

    void btnOkClick();
    void lblsupportclick();
    void lblwebclick();

protected:
    void CreateComponents() override;
    void FormCreate() override;

private:
    TOrixLabel& AddLabel(const wchar_t* name, const TOrixBounds& bounds, const std::wstring& caption,
                         COLORREF color);
    void MakeLink(TOrixLabel& label);

    TOrixLabel* lblver = nullptr;
    TOrixLabel* lblverinfo = nullptr;
    TOrixLabel* lblemail = nullptr;
    TOrixLabel* lblsupport = nullptr;
    TOrixLabel* lblhome = nullptr;
    TOrixLabel* lblweb = nullptr;
    TOrixLabel* lblthanks = nullptr;
    TOrixRichEdit* mmo1 = nullptr;
    TOrixButton* btnOk = nullptr;
};
