#include "ui/BrivoNews.h"

#include <memory>

#include "net/CheckUpdate.h"
#include "net/GetNews.h"
#include "net/ServiceAddresses.h"
#include "net/WebAddress.h"
#include "platform/ShellHelpers.h"
#include "platform/VersionInfo.h"
#include "ui/ConfirmMessage.h"
#include "ui/FrmNews.h"

namespace {

HWND owner = nullptr;

// The update check with what its end needs to know.
class TAppUpdate : public TCheckUpdate {
public:
    using TCheckUpdate::TCheckUpdate;
    std::int32_t CurrentBuild = 0;
    bool Automatic = false;
};

// The check in progress; read and written on the main thread only.
TAppUpdate* RunningUpdate = nullptr;

std::wstring UpdatePageUrl() { return WebSiteBaseUrl() + L"/update/koltverinfo.htm"; }

void UpdateCheckDone(TCheckUpdate& sender, const std::wstring&, const std::vector<std::wstring>&,
                     const std::wstring& downloadUrl, std::int32_t build) {
    const TAppUpdate& check = static_cast<const TAppUpdate&>(sender);
    if (build > check.CurrentBuild) {
        if (ConfirmMessage(owner, L"NewVer", TOrixMessageButtons::YesNo, TOrixMessageIcon::Question) ==
            TOrixMessageBox::kYes) {
            // The server's address is only handed to the shell when it is a
            // web address; anything else could start a program.
            if (IsWebAddress(downloadUrl)) OpenUrl(nullptr, downloadUrl);
        }
    } else if (!check.Automatic) {
        ConfirmMessage(owner, L"NoNewVer", TOrixMessageButtons::Ok, TOrixMessageIcon::Question);
    }
    RunningUpdate = nullptr;
}

// The news check with the setting it compares against.
class TBrivoNews : public TGetNews {
public:
    TBrivoNews(std::wstring pageUrl, int& lastMsgId) : TGetNews(std::move(pageUrl)), LastMsgId(lastMsgId) {}
    int& LastMsgId;
};

}  // namespace

void SetOnlineChecksOwner(HWND window) { owner = window; }

void StartUpdateCheck(bool automatic) {
    if (RunningUpdate) return;
    const std::int32_t build = ProgramBuild();
    auto check = std::make_unique<TAppUpdate>(build, UpdatePageUrl());
    check->Automatic = automatic;
    check->CurrentBuild = build;
    check->OnDone = UpdateCheckDone;
    RunningUpdate = check.get();
    TSelfFreeingThread::Start(std::move(check));
}

bool UpdateCheckRunning() { return RunningUpdate != nullptr; }

void StartNewsCheck(int& lastMsgId) {
    auto check = std::make_unique<TBrivoNews>(NewsPageUrl(), lastMsgId);
    check->OnDone = [](TGetNews& sender, const std::wstring& url, std::int32_t msgId, bool,
                       std::int32_t formWidth, std::int32_t formHeight) {
        NewsDone(static_cast<TBrivoNews&>(sender).LastMsgId, url, msgId, formWidth, formHeight);
    };
    TSelfFreeingThread::Start(std::move(check));
}

void NewsDone(int& lastMsgId, const std::wstring& url, std::int32_t msgId, std::int32_t formWidth,
              std::int32_t formHeight) {
    if (msgId <= 0 || msgId == lastMsgId) return;
    lastMsgId = msgId;
    // A message page the server names is only shown when it is a web
    // address: a local file would open with the rights of the machine zone.
    if (!IsWebAddress(url)) return;
    ShowNewsMessage(url, formWidth, formHeight);
}
