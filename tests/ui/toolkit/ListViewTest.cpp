// The list view: rows where the model says, clicks only on the row that
// was pressed, keyboard and wheel, and no GDI or USER objects left behind
// by painting.
#include <gtest/gtest.h>

#include "ToolkitTestSupport.h"
#include "ui/toolkit/OrixForm.h"
#include "ui/toolkit/OrixListView.h"

namespace {

TEST(ListModel, RowsOfOwnHeightsAreFoundAtEveryDpi) {
    TOrixListModel rows;
    for (int i = 0; i < 5; ++i) rows.Add(L"row");
    rows.SetHeight(1, 60);
    rows.SetHeight(3, 220);
    // Default 32: tops 0, 32, 92, 124, 344; total 376.
    EXPECT_EQ(rows.Top(3, 32, 96), 124);
    EXPECT_EQ(rows.TotalHeight(32, 96), 376);
    EXPECT_EQ(rows.IndexAt(0, 32, 96), 0);
    EXPECT_EQ(rows.IndexAt(91, 32, 96), 1);
    EXPECT_EQ(rows.IndexAt(92, 32, 96), 2);
    EXPECT_EQ(rows.IndexAt(375, 32, 96), 4);
    EXPECT_EQ(rows.IndexAt(376, 32, 96), -1);
    EXPECT_EQ(rows.IndexAt(-1, 32, 96), -1);
    // 150 %: every height scaled, so the sum is the sum of the scaled rows.
    EXPECT_EQ(rows.TotalHeight(32, 144), 48 + 90 + 48 + 330 + 48);
    EXPECT_EQ(rows.IndexAt(48 + 89, 32, 144), 1);
    rows.Remove(1);
    EXPECT_EQ(rows.Top(2, 32, 96), 64);
    rows.Clear();
    EXPECT_EQ(rows.TotalHeight(32, 96), 0);
    EXPECT_EQ(rows.IndexAt(0, 32, 96), -1);
}

struct Marker : TOrixRowData {
    explicit Marker(int* freed) : freed(freed) {}
    ~Marker() override { ++*freed; }
    int* freed;
};

TEST(ListModel, RowsFreeTheirData) {
    int freed = 0;
    {
        TOrixListModel rows;
        rows.Add(L"a", std::make_unique<Marker>(&freed));
        rows.Add(L"b", std::make_unique<Marker>(&freed));
        rows.Remove(0);
        EXPECT_EQ(freed, 1);
        EXPECT_NE(rows.DataAs<Marker>(0), nullptr);
    }
    EXPECT_EQ(freed, 2);
}

class ListViewTest : public testing::Test {
protected:
    void SetUp() override {
        TOrixForm::CreateArgs args;
        args.caption = L"List test";
        args.clientWidth = 500;
        args.clientHeight = 400;
        args.position = POINT{120, 80};
        ASSERT_TRUE(form.Create(args));
        TOrixListView::CreateArgs l;
        l.name = L"m_lstView";
        l.bounds = {10, 40, 480, 350};
        l.rowHeight = 70;
        list = &form.Add<TOrixListView>(l);
        list->SetColumns({260, 120, 100});
        list->SetRowPicture(SolidStrip(20, 70, {RGB(230, 230, 230)}));
        list->BeginUpdate();
        for (int i = 0; i < 200; ++i) list->Rows().Add(L"row " + std::to_wstring(i));
        list->EndUpdate();
        list->OnDrawRowBackground = [](TOrixListView&, TOrixCanvas& c, int index, const RECT& r) {
            if (index % 2 == 0) c.Fill(r, RGB(0xEF, 0xEF, 0xEF));
        };
        list->OnDrawRow = [this](TOrixListView&, TOrixCanvas& c, int, const RECT& r) {
            ++rowsPainted;
            TOrixFont font;
            font.SetBold(true);
            c.Text(L"An add-on", {r.left + c.Scale(68), r.top + c.Scale(16), r.right, r.bottom}, font,
                   DT_SINGLELINE);
        };
        list->OnRowClick = [this](TOrixListView&, int index, int, int) { clicked.push_back(index); };
        form.Show();
        SetForegroundWindow(form.Handle());
        PumpFor(200);
    }

    POINT RowCentre(int index) {
        const RECT r = list->RowRect(index);
        return ClientToScreenPoint(list->Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    TOrixForm form;
    TOrixListView* list = nullptr;
    std::vector<int> clicked;
    int rowsPainted = 0;
};

TEST_F(ListViewTest, AClickIsDeliveredOnlyWhenReleasedOverThePressedRow) {
    WhilePumping([&] {
        MoveMouse(RowCentre(0));
        MouseButton(true);
        MoveMouse(RowCentre(1));
        MouseButton(false);
    });
    EXPECT_TRUE(clicked.empty());
    WhilePumping([&] {
        MoveMouse(RowCentre(1));
        MouseButton(true);
        MouseButton(false);
    });
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], 1);
    EXPECT_EQ(list->Selected(), 1);
}

TEST_F(ListViewTest, OnlyTheVisibleRowsArePainted) {
    rowsPainted = 0;
    list->Repaint();
    // 350 pixels of 70-pixel rows: five rows (a sixth only when scrolled).
    EXPECT_GE(rowsPainted, 5);
    EXPECT_LE(rowsPainted, 6);
}

TEST_F(ListViewTest, WheelAndKeysScrollAndSelect) {
    const int step = list->Scale(70);
    SendMessageW(list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(list->ScrollPosition(), step);
    SendMessageW(list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA), 0);
    EXPECT_EQ(list->ScrollPosition(), 0);
    list->SetFocus();
    WhilePumping([] {
        TypeKey(VK_END);
    });
    EXPECT_EQ(list->Selected(), 199);
    const int bottom = list->RowRect(199).bottom;
    EXPECT_EQ(bottom, list->ClientHeight());
    WhilePumping([] {
        TypeKey(VK_HOME);
        TypeKey(VK_DOWN);
        TypeKey(VK_DOWN);
        TypeKey(VK_NEXT);
    });
    EXPECT_EQ(list->Selected(), 2 + 5);
    WhilePumping([] { TypeKey(VK_UP); });
    EXPECT_EQ(list->Selected(), 6);
}

TEST_F(ListViewTest, RowsAreRemovedAndTheEmptyListPaintsItsBackground) {
    bool background = false;
    list->OnDrawBackground = [&](TOrixListView&, TOrixCanvas&, const RECT&) { background = true; };
    list->Rows().Clear();
    list->Repaint();
    EXPECT_TRUE(background);
    EXPECT_EQ(list->RowAt({10, 10}), -1);
}

TEST_F(ListViewTest, TenThousandRepaintsLeaveNoGdiOrUserObjects) {
    for (int i = 0; i < 50; ++i) list->Repaint();
    const GuiObjectCounts start = CountGuiObjects();
    ASSERT_GT(start.gdi, 0u);
    ASSERT_GT(start.user, 0u);
    {
        // The count sees objects come and go.
        UniqueBrush probe(CreateSolidBrush(RGB(1, 2, 3)));
        EXPECT_EQ(CountGuiObjects().gdi, start.gdi + 1);
    }
    for (int i = 0; i < 10000; ++i) {
        list->ScrollTo((i % 50) * 37);
        list->Repaint();
    }
    const GuiObjectCounts end = CountGuiObjects();
    EXPECT_EQ(end.gdi, start.gdi);
    EXPECT_EQ(end.user, start.user);
}

}  // namespace
