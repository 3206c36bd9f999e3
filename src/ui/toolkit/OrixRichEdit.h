#pragma once
// A multi-line text box that wraps at words: the system's rich edit
// control in a skinned frame, with its own vertical scroll bar.
#include "ui/toolkit/OrixTextBox.h"

class TOrixRichEdit : public TOrixTextBox {
public:
    struct CreateArgs : TOrixControl::CreateArgs {
        bool readOnly = false;
        bool border = true;
        bool scrollBar = true;
    };

    TOrixRichEdit() : TOrixTextBox(TOrixKind::RichEdit) {}
    bool Create(const CreateArgs& args);
};
