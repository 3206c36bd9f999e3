#pragma once
// The online checks the main menu starts: the update check and the news
// check. Both run on workers of their own and report on the main thread.

// Starts an update check unless one is running. An automatic check says
// nothing when no newer version exists; a manual one says so.
void StartUpdateCheck(bool automatic);

// Starts a news check; a message whose number differs from lastMsgId (the
// MSGID setting, which must outlive the check) is shown once and its number
// stored there.
void StartNewsCheck(int& lastMsgId);
