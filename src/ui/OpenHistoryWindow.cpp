#include "ui/OpenHistoryWindow.h"

#include "ui/FrmHistory.h"
#include "ui/FrmKoltMain.h"

void OpenHistoryWindow(TfrmKoltMain& owner) {
    TfrmHistory window(owner, THistoryJournal::BesideSettings());
    if (!window.CreateHistoryWindow()) return;
    window.ShowModal();
}
