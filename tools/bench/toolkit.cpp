// Figures of the skinned toolkit: one screen of a 5 000-row list of 70-pixel
// rows painted with pictures (as the add-on list paints them), one mouse
// wheel step, and a form of 40 controls created and given new fonts and
// captions (what a translation does). Needs a display (Xvfb).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixEdit.h"
#include "ui/toolkit/OrixForm.h"
#include "ui/toolkit/OrixImage.h"
#include "ui/toolkit/OrixLabel.h"
#include "ui/toolkit/OrixListView.h"
#include "ui/toolkit/OrixPanel.h"

namespace {

// A picture with a soft alpha edge, so that drawing it blends.
TOrixStrip Picture(int width, int height, int slices, uint32_t rgb) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * slices * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width * slices; ++x) {
            const int edge = std::min({x % width, width - 1 - x % width, y, height - 1 - y});
            const uint32_t alpha = edge >= 2 ? 255u : 90u + 80u * static_cast<uint32_t>(edge);
            pixels[static_cast<size_t>(y) * width * slices + x] = (alpha << 24) | rgb;
        }
    }
    return {TOrixBitmap::FromPixels(width * slices, height, pixels), slices};
}

struct Row : TOrixRowData {
    std::wstring name;
    std::wstring description;
    double rating = 0;
};

// Median and best of the samples: the machine may be shared, and the best
// shows what the code costs without waiting for the processor.
struct Figures {
    double median;
    double best;
};

Figures Summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples.front()};
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void ListFigures() {
    const TOrixStrip icon = Picture(48, 48, 1, 0x5C6B7A);
    const TOrixStrip starLit = Picture(15, 15, 1, 0xFFB400);
    const TOrixStrip starGrey = Picture(15, 15, 1, 0xD0D0D0);
    const TOrixStrip toggle = Picture(45, 18, 3, 0x1695E6);
    const TOrixStrip remove = Picture(18, 18, 3, 0xB0B0B0);
    const TOrixStrip rowPicture = Picture(20, 70, 1, 0xE4E4E4);

    TOrixForm form;
    TOrixForm::CreateArgs args;
    args.caption = L"List figures";
    args.clientWidth = 801;
    args.clientHeight = 496;
    args.position = POINT{20, 20};
    form.Create(args);
    TOrixListView::CreateArgs l;
    l.bounds = {178, 91, 618, 382};
    l.rowHeight = 70;
    auto& list = form.Add<TOrixListView>(l);
    list.SetColumns({398, 120, 100});
    list.SetRowPicture(rowPicture);
    list.BeginUpdate();
    for (int i = 0; i < 5000; ++i) {
        auto row = std::make_unique<Row>();
        row->name = L"Add-on number " + std::to_wstring(i);
        row->description = L"A description long enough to be cut with an ellipsis at the end of the column";
        row->rating = (i % 51) / 10.0;
        list.Rows().Add(L" ", std::move(row));
    }
    list.EndUpdate();
    TOrixFont bold;
    bold.SetBold(true);
    TOrixFont grey;
    grey.SetColor(OrixRgb(0x848484));
    TOrixFont link;
    link.SetColor(OrixRgb(0x1695E6));
    list.OnDrawRowBackground = [](TOrixListView&, TOrixCanvas& c, int index, const RECT& r) {
        if (index % 2 == 0) c.Fill(r, OrixRgb(0xEFEFEF));
    };
    list.OnDrawRow = [&](TOrixListView& self, TOrixCanvas& c, int index, const RECT& r) {
        auto* row = self.Rows().DataAs<Row>(index);
        c.Picture(icon, 0, {r.left + c.Scale(10), r.top + c.Scale(11), r.left + c.Scale(58), r.top + c.Scale(59)});
        c.Text(row->name, {c.Scale(68), r.top + c.Scale(16), self.ColumnRight(0), r.bottom}, bold, DT_SINGLELINE);
        c.Text(row->description, {c.Scale(68), r.top + c.Scale(36), self.ColumnRight(0), r.bottom}, grey,
               DT_SINGLELINE | DT_END_ELLIPSIS);
        const int c1 = self.ColumnLeft(1);
        const int c1r = self.ColumnRight(1);
        c.Text(L"Details", {c1 + c.Scale(12), r.top + c.Scale(19), c1 + c.Scale(110), r.bottom}, link, DT_SINGLELINE);
        for (int i = 1; i <= 5; ++i) {
            const int x = c1 + c.Scale(12 + (i - 1) * 19);
            const int y = r.top + c.Scale(37);
            c.Picture(i <= row->rating ? starLit : starGrey, 0, {x, y, x + c.Scale(15), y + c.Scale(15)});
        }
        c.Picture(toggle, 0, {c1r + c.Scale(10), r.top + c.Scale(26), c1r + c.Scale(55), r.top + c.Scale(44)});
        c.Picture(remove, 0, {c1r + c.Scale(60), r.top + c.Scale(25), c1r + c.Scale(78), r.top + c.Scale(43)});
    };
    form.Show();
    Pump();
    for (int i = 0; i < 10; ++i) list.Repaint();

    constexpr int kPaints = 200;
    std::vector<double> paints;
    for (int i = 0; i < kPaints; ++i) {
        const auto start = bench::Clock::now();
        list.Repaint();
        GdiFlush();
        paints.push_back(bench::MsSince(start));
    }
    constexpr int kSteps = 200;
    std::vector<double> steps;
    for (int i = 0; i < kSteps; ++i) {
        const auto start = bench::Clock::now();
        SendMessageW(list.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
        UpdateWindow(list.Handle());
        GdiFlush();
        steps.push_back(bench::MsSince(start));
    }
    const Figures paint = Summarise(paints);
    const Figures wheel = Summarise(steps);
    std::printf("list of 5000 rows of 70 px, %d x %d px at %u DPI:\n", list.ClientWidth(), list.ClientHeight(),
                list.Dpi());
    std::printf("  one screen of rows painted: median %.2f ms, best %.2f ms (%d paints)\n", paint.median, paint.best,
                kPaints);
    std::printf("  one wheel step (scroll and paint): median %.2f ms, best %.2f ms (%d steps)\n", wheel.median,
                wheel.best, kSteps);
}

void FormFigures() {
    const TOrixStrip face = Picture(82, 25, 3, 0x1695E6);
    TOrixFont language;
    language.SetName(L"Tahoma");
    language.SetSize(10);
    constexpr int kRuns = 10;
    std::vector<double> create;
    std::vector<double> translate;
    std::vector<double> shown;
    for (int run = 0; run < kRuns; ++run) {
        auto start = bench::Clock::now();
        TOrixForm form;
        TOrixForm::CreateArgs args;
        args.caption = L"Form figures";
        args.clientWidth = 801;
        args.clientHeight = 496;
        args.position = POINT{20, 20};
        form.Create(args);
        TOrixPanel::CreateArgs p;
        p.bounds = {400, 40, 390, 440};
        auto& panel = form.Add<TOrixPanel>(p);
        for (int i = 0; i < 39; ++i) {
            const std::wstring name = L"c" + std::to_wstring(i);
            const TOrixBounds bounds = {10 + (i % 3) * 120, 40 + (i / 3) * 32, 110, 25};
            switch (i % 4) {
            case 0: {
                TOrixButton::CreateArgs b;
                b.name = name;
                b.caption = L"Button";
                b.bounds = bounds;
                b.picture = face;
                form.Add<TOrixButton>(b);
                break;
            }
            case 1:
            case 2: {
                TOrixLabel::CreateArgs a;
                a.name = name;
                a.caption = L"Label";
                a.bounds = bounds;
                a.link = i % 4 == 2;
                form.Add<TOrixLabel>(a);
                break;
            }
            default: {
                TOrixEdit::CreateArgs e;
                e.name = name;
                e.parent = &panel;
                e.bounds = {10, 10 + (i / 4) * 40, 200, 26};
                form.Add<TOrixEdit>(e);
                break;
            }
            }
        }
        create.push_back(bench::MsSince(start));
        start = bench::Clock::now();
        for (size_t i = 0; i < form.ComponentCount(); ++i) {
            TOrixComponent& c = form.Component(i);
            if (auto* button = dynamic_cast<TOrixButton*>(&c)) {
                for (TOrixFont* f : {&button->FontNormal, &button->FontOver, &button->FontDown, &button->FontDisable,
                                     &button->FontFocus, &button->FontSelect})
                    f->CopyFrom(language);
                button->SetCaption(L"Translated");
            } else if (auto* label = dynamic_cast<TOrixLabel*>(&c)) {
                for (TOrixFont* f : {&label->Font, &label->FontOver, &label->FontDown, &label->FontDisable})
                    f->CopyFrom(language);
                label->SetCaption(L"Translated");
            }
        }
        translate.push_back(bench::MsSince(start));
        start = bench::Clock::now();
        form.Show();
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        shown.push_back(bench::MsSince(start));
    }
    std::printf("form of 40 controls (buttons, labels, links, edits on a panel):\n");
    const Figures made = Summarise(create);
    const Figures changed = Summarise(translate);
    std::printf("  created: median %.2f ms, best %.2f ms (%d forms)\n", made.median, made.best, kRuns);
    const Figures painted = Summarise(shown);
    std::printf("  fonts and captions changed (as translated): median %.2f ms, best %.2f ms\n", changed.median,
                changed.best);
    std::printf("  then shown and painted: median %.2f ms, best %.2f ms\n", painted.median, painted.best);
}

}  // namespace

int main() {
    EnablePerMonitorDpi();
    ListFigures();
    FormFigures();
    return 0;
}
