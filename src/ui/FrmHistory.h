#pragma once
// The history window: every change the program made, newest first, with its
// time, browser and profile, add-on and what was done, and Undo for the
// selected one (button, Enter, double click). An undo that is refused says
// why below the list; one that is done reads the browsers again in the main
// window.
#include <memory>
#include <string>
#include <vector>

#include "browsers/history/HistoryJournal.h"
#include "ui/FrmBase.h"
#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixLabel.h"
#include "ui/toolkit/OrixListView.h"

class TfrmKoltMain;

class TfrmHistory : public TfrmBase {
public:
    TfrmHistory(TfrmKoltMain& main, THistoryJournal journal);
    ~TfrmHistory() override;

    bool CreateHistoryWindow();
    // Lists the journal again, keeping the selection's place.
    void FillList();
    // Undoes the selected entry.
    void UndoSelected();

    void TranslateForm() override;

    TOrixListView& List() { return *m_lstView; }
    const std::wstring& Note() const { return note_; }

protected:
    void CreateComponents() override;
    void FormCreate() override;

private:
    void PaintRow(TOrixCanvas& canvas, int index, const RECT& row);
    void PaintEmpty(TOrixCanvas& canvas, const RECT& client);
    void RowClick(int index);
    void ShowNote(const std::wstring& text);
    bool KeyPreview(const MSG& message);
    std::wstring ActionText(const THistoryRecord& record) const;

    TfrmKoltMain& main_;
    THistoryJournal journal_;
    std::vector<THistoryEntry> entries_;
    std::wstring note_;
    // A second click on the same row within the double-click time undoes it.
    int lastClickRow_ = -1;
    ULONGLONG lastClickTime_ = 0;
    TOrixFont nameFont_;
    TOrixFont detailFont_;

    TOrixListView* m_lstView = nullptr;
    TOrixButton* btnUndo = nullptr;
    TOrixLabel* lblNote = nullptr;
};
