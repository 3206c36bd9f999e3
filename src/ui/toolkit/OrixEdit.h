#pragma once
// A one-line text box (the system edit control in a skinned frame).
#include "ui/toolkit/OrixTextBox.h"

class TOrixEdit : public TOrixTextBox {
public:
    struct CreateArgs : TOrixControl::CreateArgs {
        bool password = false;
        int maxLength = 0;  // 0: the system's limit
    };

    TOrixEdit() : TOrixTextBox(TOrixKind::Edit) {}
    bool Create(const CreateArgs& args);
};
