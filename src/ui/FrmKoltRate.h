#pragma once
// The reviews window of one add-on: its picture, name, version and
// description, its average stars and how many one- to five-star reviews it
// has; on the "User Reviews" tab the reviews, sorted as chosen and fetched
// page by page, each with "Like", "Dislike" and "Report"; on the "My Review"
// tab the user's own stars, nickname and text to post. Everything comes from
// the rating service through the reviews conversations; their results reach
// the window on its own thread, and nothing reaches it once it is gone.
// OpenReviewsWindow (OpenReviewsWindow.h) makes, loads and shows it.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browsers/BrowserAppBase.h"
#include "net/rating/RateTarget.h"
#include "net/rating/ReviewSteps.h"
#include "ui/FrmBase.h"
#include "ui/ReviewListPainter.h"
#include "ui/StarInput.h"
#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixComboBox.h"
#include "ui/toolkit/OrixEdit.h"
#include "ui/toolkit/OrixImage.h"
#include "ui/toolkit/OrixLabel.h"
#include "ui/toolkit/OrixListView.h"
#include "ui/toolkit/OrixPanel.h"
#include "ui/toolkit/OrixRichEdit.h"

class TfrmKoltRate : public TfrmBase, public TReviewsReceiver {
public:
    // Neither is owned; both outlive the window.
    TfrmKoltRate(TBrowserAppBase& adapter, TBrowserExtensionInfo& addon);
    ~TfrmKoltRate() override;

    // Makes the window, hidden, centred over owner (the main window).
    bool CreateReviewsWindow(TOrixForm* owner);
    // Starts the opening conversation (plug information, registration of an
    // add-on the service does not know, the first page). onEnd runs on this
    // thread after its last result, and never after the window is gone.
    void StartOpening(std::function<void()> onEnd);
    bool LoadFailed() const { return loadFailed_; }
    // Before the window is first shown: the add-on's texts, the sort box
    // and the "User Reviews" tab.
    void PrepareForShow();

    void TranslateForm() override;

    // The opening's and the conversations' results, on the window's thread.
    void ApplyPlugInfo(const TPlugInfo& info) override;
    void FillReviews(const std::vector<TReviewEntry>& reviews, bool more) override;
    void SetLoadFailed(bool failed) override { loadFailed_ = failed; }
    // The user's review the service stored under commentId, at the top.
    void InsertOwnReview(int commentId);

    // What tests and benchmarks look at.
    const std::array<int, 5>& StarCounts() const { return starCounts_; }
    int MyScore() const;
    const std::wstring& ServerPlugId() const { return serverPlugId_; }
    TOrixListView& ReviewList() { return *m_lstView; }
    bool MyReviewTabShown() const { return myReviewTab_; }

    TBrowserAppBase& Adapter;
    TBrowserExtensionInfo& Addon;

protected:
    void CreateComponents() override;
    void FormCreate() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void CreateHeader();
    void CreateHistogram();
    void CreateTabsAndSort();
    void CreateList();
    void CreateReviewPanel();
    TReviewedAddon Reviewed() const;

    void SelectTab(int tag);
    void SortChanged();
    void NextPage();
    void RowClick(int index, int x, int y);
    void RowMouseMove(int x, int y, int index);
    void ActOnLink(int index, TReviewLink link);
    void Submit();
    void HandleRatingResult(WPARAM code, LPARAM value);
    void ShowNote(bool success, const wchar_t* key);
    // The first entry of the review, or null.
    TItemData* EntryOf(int commentId, int* index);
    void RemeasureEntries();
    void PlaceCommentNowLink();
    bool KeyPreview(const MSG& message);

    void PaintIcon(TOrixCanvas& canvas);
    void PaintAverage(TOrixCanvas& canvas);
    void PaintBar(TOrixImage& bar, TOrixCanvas& canvas);
    void PaintBarStars(TOrixImage& box, TOrixCanvas& canvas);

    // Conversations that fill the list (the opening, re-sorting, pages): a
    // re-sort closes the old one, so that a page still on its way cannot
    // land in the new order.
    std::shared_ptr<TRateTarget> listTarget_;
    // Judgements and the user's review.
    std::shared_ptr<TRateTarget> target_;
    std::unique_ptr<TReviewListPainter> painter_;

    bool loadFailed_ = false;
    std::array<int, 5> starCounts_{};  // one to five stars
    std::wstring serverPlugId_;
    int sortType_ = 0;
    bool pageRunning_ = false;
    bool posting_ = false;
    // The service stored the user's review or said there already is one.
    bool reviewClosed_ = false;
    // What was sent, shown at the top once the service stored it.
    TOwnReview posted_;
    bool myReviewTab_ = false;
    int listWidth_ = 0;

    TOrixImage* img1 = nullptr;
    TOrixLabel* lbl1 = nullptr;
    TOrixImage* img2 = nullptr;
    TOrixLabel* lbl3 = nullptr;
    std::array<TOrixImage*, 5> bars_{};       // img3 .. img7: 5 .. 1 stars
    std::array<TOrixImage*, 5> barStars_{};   // img8 .. img12
    std::array<TOrixLabel*, 5> countLabels_{};  // lbl4 .. lbl8
    TOrixLabel* lbl9 = nullptr;
    TOrixComboBox* cbb1 = nullptr;
    TOrixButton* btn2 = nullptr;
    TOrixButton* btn3 = nullptr;
    TOrixListView* m_lstView = nullptr;
    TOrixLabel* lblfirst = nullptr;
    TOrixPanel* fxpnl1 = nullptr;
    TOrixLabel* lbl10 = nullptr;
    TStarInput* img13 = nullptr;
    TOrixLabel* lbl11 = nullptr;
    TOrixEdit* fxdtnk = nullptr;
    TOrixLabel* lbl12 = nullptr;
    TOrixRichEdit* redt1 = nullptr;
    TOrixButton* btn1 = nullptr;
};
