#pragma once
// Every application-shell test runs against folders of its own: a program
// folder (with its "Languages\" beside it) and a roaming settings folder, both
// in a scratch folder. The real settings of the prefix are never touched, and
// the language state is put back afterwards.
#include <gtest/gtest.h>

#include "AppTestFiles.h"
#include "app/AppConfig.h"
#include "app/ExecutableFolder.h"
#include "app/LanguageLookup.h"

class AppShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedConfig_ = AppConfig;
        savedLanguagePath_ = LanguageFilePath();
        SetExecutableFolderForTests(ProgramFolder());
        SetSettingsFolderForTests(SettingsFolderPath());
        SetLanguageFilePath(LanguagePath(L"None"));
        LoadEmbeddedLanguage();
    }
    void TearDown() override {
        SetExecutableFolderForTests(L"");
        SetSettingsFolderForTests(L"");
        SetLanguageFilePath(savedLanguagePath_);
        LoadEmbeddedLanguage();
        AppConfig = savedConfig_;
    }

    std::wstring ProgramFolder() const { return scratch_ / L"program"; }
    std::wstring SettingsFolderPath() const { return scratch_ / L"roaming\\Brivo Plugin Manager"; }
    std::wstring SettingsFile() const { return SettingsFolderPath() + L"\\BrivoPM.ini"; }
    std::wstring LanguagePath(const std::wstring& name) const {
        return ProgramFolder() + L"\\Languages\\" + name + L".ini";
    }
    // A language file as the build installs it (UTF-16 LE with mark).
    void WriteLanguage(const std::wstring& name, const std::string& utf8) const {
        WriteUtf16LeFile(LanguagePath(name), utf8);
    }

    ScratchFolder scratch_;

private:
    TAppConfig savedConfig_;
    std::wstring savedLanguagePath_;
};
