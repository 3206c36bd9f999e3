#include "ui/toolkit/OrixEdit.h"

bool TOrixEdit::Create(const CreateArgs& args) {
    DWORD style = ES_AUTOHSCROLL | ES_LEFT;
    if (args.password) style |= ES_PASSWORD;
    if (!CreateBox(args, L"EDIT", style, true)) return false;
    if (args.maxLength > 0) SendMessageW(EditHandle(), EM_SETLIMITTEXT, args.maxLength, 0);
    return true;
}
