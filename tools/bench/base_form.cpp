// Figures of the base window: a window of 40 controls (buttons, labels,
// links and edit boxes, as the main window has) created and translated into
// a language file's font and captions, and translated again as after a
// language switch. Needs a display (Xvfb).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/LanguageLookup.h"
#include "ui/FrmBase.h"
#include "ui/ImgModule.h"
#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixDpi.h"
#include "ui/toolkit/OrixEdit.h"
#include "ui/toolkit/OrixLabel.h"

namespace {

constexpr int kControls = 40;

// Times of the creation's three steps, taken by the window itself.
struct Steps {
    bench::Clock::time_point componentsStart, componentsEnd, translateEnd;
};

class TfrmBench : public TfrmBase {
public:
    TfrmBench() : TfrmBase(L"TfrmBench") {}
    Steps steps;

protected:
    void FormCreate() override {
        TfrmBase::FormCreate();
        steps.translateEnd = bench::Clock::now();
    }
    void CreateComponents() override {
        steps.componentsStart = bench::Clock::now();
        MakeControls();
        steps.componentsEnd = bench::Clock::now();
    }

private:
    void MakeControls() {
        const TOrixStrip face = ImgModule().Picture(SkinPictureId::MessageButton);
        for (int i = 0; i < kControls; ++i) {
            const std::wstring name = L"c" + std::to_wstring(i);
            const TOrixBounds bounds = {10 + (i % 4) * 195, 40 + (i / 4) * 44, 185, 25};
            switch (i % 4) {
            case 0: {
                TOrixButton::CreateArgs b;
                b.name = name;
                b.caption = L"Button";
                b.bounds = bounds;
                b.picture = face;
                b.tag = i % 8 == 0 ? 2 : 0;
                auto& button = Add<TOrixButton>(b);
                button.FontNormal.SetBold(i % 8 == 0);
                break;
            }
            case 1:
            case 2: {
                TOrixLabel::CreateArgs a;
                a.name = name;
                a.caption = L"Label";
                a.bounds = bounds;
                a.link = i % 4 == 2;
                a.tag = 2;
                Add<TOrixLabel>(a).Font.SetBold(i % 8 == 1);
                break;
            }
            default: {
                TOrixEdit::CreateArgs e;
                e.name = name;
                e.bounds = bounds;
                Add<TOrixEdit>(e);
                break;
            }
            }
        }
    }
};

struct Figures {
    double median;
    double best;
};

Figures Summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples.front()};
}

std::wstring WriteLanguageFile() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"brivo-bench-language.ini";
    std::string text = "[Translation]\r\nDefaultFont=Tahoma\r\nDefaultFontSize=10\r\n"
                       "DefaultCharset=ANSI_CHARSET\r\nTfrmBench.Caption=Translated window\r\n";
    for (int i = 0; i < kControls; ++i)
        text += "TfrmBench.c" + std::to_string(i) + ".Caption=Translated " + std::to_string(i) + "\r\n";
    bench::WriteAll(path, text);
    return path;
}

}  // namespace

int main() {
    EnablePerMonitorDpi();
    const std::wstring language = WriteLanguageFile();
    SetLanguageFilePath(language);
    ReloadLanguageFile();
    ImgModule();  // made at start-up, before any window

    constexpr int kRuns = 20;
    std::vector<double> made;
    std::vector<double> window;
    std::vector<double> controls;
    std::vector<double> translated;
    std::vector<double> again;
    for (int run = 0; run < kRuns; ++run) {
        TfrmBench form;
        TOrixForm::CreateArgs args;
        args.caption = L"Bench";
        args.clientWidth = 801;
        args.clientHeight = 496;
        args.position = POINT{20, 20};
        auto start = bench::Clock::now();
        form.CreateForm(args);
        made.push_back(bench::MsSince(start));
        const auto ms = [](auto from, auto to) { return std::chrono::duration<double, std::milli>(to - from).count(); };
        window.push_back(ms(start, form.steps.componentsStart));
        controls.push_back(ms(form.steps.componentsStart, form.steps.componentsEnd));
        translated.push_back(ms(form.steps.componentsEnd, form.steps.translateEnd));
        start = bench::Clock::now();
        form.TranslateForm();
        again.push_back(bench::MsSince(start));
        if (run == 0 && (form.ComponentCount() != static_cast<size_t>(kControls) ||
                         form.Component(kControls - 2).Caption() != L"Translated 38")) {
            std::printf("the window was not made and translated as it should be\n");
            return 1;
        }
    }
    DeleteFileW(language.c_str());
    const Figures create = Summarise(made);
    const Figures retranslate = Summarise(again);
    std::printf("base window of %d controls (buttons, labels, links, edits) at %u DPI:\n", kControls, SystemDpi());
    std::printf("  created and translated: median %.2f ms, best %.2f ms (%d windows)\n", create.median, create.best,
                kRuns);
    const Figures w = Summarise(window), c = Summarise(controls), t = Summarise(translated);
    std::printf("    of which the window and its frame: median %.2f ms; the controls: median %.2f ms; "
                "the first translation: median %.2f ms\n", w.median, c.median, t.median);
    std::printf("  translated again (language switch): median %.2f ms, best %.2f ms\n", retranslate.median,
                retranslate.best);
    return 0;
}
