#pragma once
// The online checks the main menu starts: the update check and the news
// check. Both run on workers of their own and report on the main thread.
#include <windows.h>

#include <cstdint>
#include <string>

// The window the update messages belong to (the main window).
void SetOnlineChecksOwner(HWND owner);

// Starts an update check unless one is running. An automatic check says
// nothing when no newer version exists; a manual one says so.
void StartUpdateCheck(bool automatic);
// True while a check runs (from its start to the end of its message).
bool UpdateCheckRunning();

// Starts a news check; a message whose number differs from lastMsgId (the
// MSGID setting, which must outlive the check) is shown once and its number
// stored there.
void StartNewsCheck(int& lastMsgId);

// The end of a news check, on the main thread: a message number above 0
// that differs from lastMsgId is stored there and its page shown in the news
// window.
void NewsDone(int& lastMsgId, const std::wstring& url, std::int32_t msgId, std::int32_t formWidth,
              std::int32_t formHeight);
