#pragma once
// The control gallery: one form that shows every skinned control in each
// of its states, for people to look at and for tests and screenshots.
#include <memory>

#include "StandInPictures.h"
#include "ui/toolkit/OrixForm.h"
#include "ui/toolkit/OrixMessageBox.h"
#include "ui/toolkit/OrixPopupMenu.h"

class Gallery {
public:
    explicit Gallery(int pictureScale);
    bool Create();
    TOrixForm& Form() { return form_; }
    TOrixPopupMenu& Menu() { return *menu_; }
    // Opens the main menu and, with the keyboard, its Language sub-menu.
    void OpenMenuForShow();
    int AskQuestion();

private:
    void AddBrowserColumn();
    void AddButtons();
    void AddList();
    void AddLabels();
    void AddInputs();
    void AddPictures();
    void AddMenu();

    StandInPictures pictures_;
    TOrixForm form_;
    TOrixPopupMenu* menu_ = nullptr;
    TOrixMessageBox messageBox_;
};
