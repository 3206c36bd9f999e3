#include "SmallWindowsMain.h"

#include <windows.h>

#include "SmallWindowsForm.h"
#include "app/LanguageChoice.h"
#include "ui/FrmMessage.h"
#include "ui/ImgModule.h"
#include "ui/Toasts.h"
#include "ui/toolkit/OrixMessageLoop.h"

namespace {

constexpr UINT_PTR kOpenTimer = 1;
SmallWindowsForm* g_form = nullptr;
bool g_confirm = false;

bool Has(const std::wstring& options, const wchar_t* option) { return options.find(option) != std::wstring::npos; }

// The value runs to the next option, so that names may hold spaces.
std::wstring OptionValue(const std::wstring& options, const std::wstring& option) {
    const size_t at = options.find(option);
    if (at == std::wstring::npos) return {};
    const size_t start = at + option.size();
    const size_t end = options.find(L" --", start);
    return options.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
}

void CALLBACK OpenLater(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    if (g_confirm) g_form->AskQuestion();
}

void CALLBACK ExitNow(HWND, UINT, UINT_PTR, DWORD) { ExitProcess(0); }

}  // namespace

bool WantsSmallWindows(const std::wstring& options) {
    return Has(options, L"--small-windows") || Has(options, L"--toasts") || Has(options, L"--confirm") ||
           Has(options, L"--wait");
}

int RunSmallWindows(const std::wstring& options) {
    const std::wstring language = OptionValue(options, L"--language=");
    ChooseLanguageFile(language.empty() ? L"English" : language);
    TimgModule& images = ImgModule();
    images.TranslateMessageDialog();

    SmallWindowsForm form;
    g_form = &form;
    TOrixForm::CreateArgs args;
    // The gallery's name, which the screenshot script waits for.
    args.caption = L"Control gallery: small windows";
    args.clientWidth = 420;
    args.clientHeight = 240;
    if (!form.CreateForm(args)) return 1;
    form.OnDestroy = [](TOrixForm&) { PostQuitMessage(0); };
    form.Show();

    if (Has(options, L"--toasts")) {
        // Held on screen for people and screenshots to look at.
        TToastTiming held;
        held.holdCheckMs = 10 * 60 * 1000;
        SetToastTiming(held);
        RECT r;
        GetWindowRect(form.Handle(), &r);
        const int gap = form.Scale(20);
        form.ShowInfo({r.right + gap, r.top + gap});
        form.ShowError({r.right + gap, r.top + 4 * gap});
        form.ShowLongError({r.right + gap, r.top + 7 * gap});
        ShowInfoToast({GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2},
                      L"Held on the monitor at its corner.");
    }
    if (Has(options, L"--wait")) form.ShowWait();
    g_confirm = Has(options, L"--confirm");
    if (g_confirm) SetTimer(form.Handle(), kOpenTimer, 700, OpenLater);
    const std::wstring exitAfter = OptionValue(options, L"--exit-after=");
    if (!exitAfter.empty()) SetTimer(nullptr, 0, static_cast<UINT>(_wtoi(exitAfter.c_str())) * 1000, ExitNow);
    return RunOrixMessageLoop();
}
