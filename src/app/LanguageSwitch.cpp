#include "app/LanguageSwitch.h"

#include "app/AppConfig.h"
#include "app/LanguageChoice.h"
#include "app/LanguageLookup.h"

void SwitchLanguage(const std::wstring& name, HWND mainWindow) {
    AppConfig.Language = name;
    SaveSettings();
    SetLanguageFilePath(LanguageFilePathFor(name));
    ReloadLanguageFile();
    if (mainWindow) SendMessageW(mainWindow, WM_LANGUAGE_CHANGED, 0, 0);
}
