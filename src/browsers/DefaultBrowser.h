#pragma once
// The user's default web browser, as the http protocol's UserChoice names it.
#include <string>

class TBrowserAppBase;

// The "Progid" that names the adapter's browser: the one its registration
// carries (a suffixed one), else its browser's, else its Kind's.
std::wstring UrlProgIdOf(const TBrowserAppBase& adapter);

// True when the http UserChoice "Progid" is exactly UrlProgIdOf(adapter).
bool IsDefaultBrowser(const TBrowserAppBase& adapter);

// Writes UrlProgIdOf(adapter) into the existing ftp, http and https
// UserChoice keys and, when at least one of them took it and the browser has
// an open command, that command into the three protocols' open commands.
// Answers whether the browser is the default afterwards: Windows
// protects the UserChoice keys, so the writes may change nothing, and the
// user must not be told otherwise.
bool SetDefaultBrowser(const TBrowserAppBase& adapter);

// Since Windows 8 only the user can choose the default browser, in the
// system's settings: the address of its default-apps page for this browser,
// "ms-settings:defaultapps?registeredAppMachine=<name>" with the browser's
// name under the machine's RegisteredApplications ("registeredAppUser=" for
// one under the current user's), found as the value that names the
// browser's StartMenuInternet "Capabilities" key; the plain
// "ms-settings:defaultapps" when there is none.
std::wstring DefaultAppsSettingsAddress(const TBrowserAppBase& adapter);
