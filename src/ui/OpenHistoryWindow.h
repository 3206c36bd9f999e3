#pragma once
// Opening the history window from the main window: shown modally over it
// until the user closes it.
class TfrmKoltMain;

void OpenHistoryWindow(TfrmKoltMain& owner);
