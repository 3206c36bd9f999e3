#pragma once
// A fixture for window tests that need language files: the program folder,
// its "Languages\" and the settings folder are scratch folders, and the
// active language is put back afterwards.
#include <gtest/gtest.h>

#include <string>

#include "app/AppShellFixture.h"

class UiLanguageTest : public AppShellTest {
protected:
    // A language file of the given lines under [Translation] (font settings
    // and captions) and [Messages], as the build installs it.
    void WriteLanguageFile(const std::wstring& name, const std::string& translation,
                           const std::string& messages = "") const {
        WriteLanguage(name, "[Translation]\r\n" + translation + "\r\n[Messages]\r\n" + messages + "\r\n");
    }
    // Makes the file the active language, as start-up does.
    void UseLanguage(const std::wstring& name) const {
        SetLanguageFilePath(LanguagePath(name));
        ReloadLanguageFile();
    }
};
