#include "ui/toolkit/OrixRichEdit.h"

#include <richedit.h>

namespace {

// The newest rich edit the system has; the module stays loaded for the
// process, as its window class lives in it.
const wchar_t* RichEditClass() {
    static const wchar_t* name = [] () -> const wchar_t* {
        if (LoadLibraryW(L"msftedit.dll")) return L"RICHEDIT50W";
        if (LoadLibraryW(L"riched20.dll")) return L"RichEdit20W";
        return L"EDIT";
    }();
    return name;
}

}  // namespace

bool TOrixRichEdit::Create(const CreateArgs& args) {
    SetBorder(args.border);
    DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (args.scrollBar) style |= WS_VSCROLL;
    if (args.readOnly) style |= ES_READONLY;
    if (!CreateBox(args, RichEditClass(), style, false)) return false;
    // Change notifications are off by default in a rich edit.
    SendMessageW(EditHandle(), EM_SETEVENTMASK, 0, ENM_CHANGE);
    return true;
}
