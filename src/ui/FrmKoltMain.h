#pragma once
// The program's main window: one button per browser, the kind tabs, the
// selected browser's add-ons with their ratings, and the commands on them
// (switch off or on, remove, reviews) and on the browser (make it the
// default). It owns the browser adapters for the whole run; closing it saves
// the settings and ends the process.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browsers/BrowserList.h"
#include "net/rating/RateTarget.h"
#include "ui/AddonListPainter.h"
#include "ui/FrmBase.h"
#include "ui/RowHitAreas.h"
#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixComboBox.h"
#include "ui/toolkit/OrixImage.h"
#include "ui/toolkit/OrixImageList.h"
#include "ui/toolkit/OrixLabel.h"
#include "ui/toolkit/OrixListView.h"
#include "ui/toolkit/OrixPopupMenu.h"

class TBrivoAd;

class TfrmKoltMain : public TfrmBase {
public:
    TfrmKoltMain();
    ~TfrmKoltMain() override;

    // Makes the window at its remembered place (or centred at design size),
    // not yet shown.
    bool CreateMainWindow();
    // Shows it with the add-on list ready for the keyboard.
    void ShowMainWindow();

    void TranslateForm() override;

    void BuildBrowserButtons();
    // Reads every browser again (after an undo changed their files), keeping
    // the browser and profile shown.
    void ReloadBrowsers();
    void SelectBrowser(TOrixButton& button);
    // Shows the index-th profile of the selected browser (the drop-down's choice).
    void SelectProfile(int index);
    // How many profiles the selected browser has.
    int ProfileCount() const;
    void FillAddonList();
    void SetupColumns();

    // The row commands; index is the row of the add-on list.
    void RemoveAddon(int index);
    void ToggleAddon(int index);
    void ShowReviews(int index);
    // False (after telling the user) while the browser runs.
    bool EnsureBrowserClosed(TBrowserAppBase& adapter);
    void ShowServerMessage(const std::wstring& key);

    // The profile shown: one adapter of the selected browser.
    TBrowserAppBase* CurrentBrowser() const { return currentBrowser_; }
    int CurrentKindFilter() const { return currentKindFilter_; }
    TOrixListView& AddonList() { return *m_lstView; }
    const BrowserList& Browsers() const { return browsers_; }

    // Opens the reviews of a record; the main window is disabled meanwhile.
    std::function<void(TBrowserAppBase&, TBrowserExtensionInfo&)> OnShowReviews;
    // Runs after the settings were saved at destruction; ends the process
    // when not set.
    std::function<void()> OnShutdown;

protected:
    void CreateComponents() override;
    void FormCreate() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // One browser: its button and its profiles, the shown one among them.
    struct TBrowserSlot {
        TOrixButton* button = nullptr;
        BrowserProfiles profiles;
        int shown = 0;
    };

    void CreateBrowserButtons();
    void CreateProfileChoice();
    // The browser buttons share the column above the banner.
    void LayoutBrowserButtons();
    // The profile drop-down between the count and "Set as default browser".
    void LayoutHeader();
    void ShowProfileChoice();
    TBrowserSlot* SlotOf(const TOrixButton& button);
    TBrowserSlot* SelectedSlot();
    void CreateKindTabs();
    void CreateLabels();
    void CreateSocialButtons();
    void ConfigureList();
    void SelectKindTab(TOrixButton& tab);
    void WalkKindTabs(int step);
    void SetKindTabCaptions();
    void UpdateCountLabel();
    void SetAsDefaultBrowser();
    void OpenSocialPage(intptr_t tag);
    void HandleRatingResult(WPARAM code, LPARAM value);
    void RowClick(int index, int x, int y);
    bool KeyPreview(const MSG& message);
    void PaintBackground(TOrixCanvas& canvas);
    void FormDestroy();
    void RememberPlacement();
    // The row showing the record, or -1 (rows move when others go).
    int RowOf(const TBrowserExtensionInfo* addon) const;
    POINT CentrePoint(int dx, int dy) const;

    BrowserList browsers_;
    BrowserList retiredBrowsers_;
    // Four for the families, three more for Edge, Brave and Vivaldi.
    std::array<TOrixButton*, 7> BrowserButtons{};
    std::vector<TBrowserSlot> slots_;
    std::array<TOrixButton*, 4> kindTabs_{};
    TBrowserAppBase* currentBrowser_ = nullptr;
    int currentKindFilter_ = 0;
    std::shared_ptr<TRateTarget> rateTarget_;
    std::unique_ptr<TAddonListPainter> painter_;
    bool destroyed_ = false;

    TOrixLabel* lblSetasdefault = nullptr;
    TOrixLabel* lbl1 = nullptr;
    TOrixComboBox* cmbProfile = nullptr;
    TOrixLabel* lbl2 = nullptr;
    TOrixLabel* lbl3 = nullptr;
    TOrixImage* imgad = nullptr;
    std::unique_ptr<TBrivoAd> banner_;
    std::array<TOrixButton*, 4> socialButtons_{};
    TOrixListView* m_lstView = nullptr;
    TOrixPopupMenu* sysMenu = nullptr;
    TOrixImageList* mglst = nullptr;
};
