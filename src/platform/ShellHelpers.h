#pragma once
// Shell services: deleting files and folders, special folders, opening web
// addresses, and whether Internet Explorer is running.
#include <windows.h>

#include <optional>
#include <string>

// Deletes a file, or a folder with its contents, after clearing its
// attributes; to the recycle bin or permanently, without confirmation or
// progress window. False when nothing exists at path, when the file is held
// open by anyone (nothing is deleted then) or when the shell fails; what is
// left then has its attributes back.
bool ShellDeletePath(const std::wstring& path, bool toRecycleBin);
// Deletes a folder with its contents permanently, without confirmation or
// error dialogs (a progress window may show).
bool ShellDeleteFolder(const std::wstring& path);
// True when a file (not a folder) exists at path and cannot be opened for
// reading and writing without sharing.
bool IsFileLocked(const std::wstring& path);

// What OpenUrl asks the shell to "open": a program or document and its
// parameters (empty for none).
struct ShellOpenRequest {
    std::wstring file;
    std::wstring parameters;
};
// None for an empty or blank address. On Windows 8 a web address goes to
// Internet Explorer whatever the default browser is; any other address
// (mailto: and so on) is opened as it stands. The address is never trimmed.
std::optional<ShellOpenRequest> UrlOpenRequest(const std::wstring& url, bool windows8);
void OpenUrl(HWND window, const std::wstring& url);

// The path of a shell special folder (CSIDL_...), no trailing backslash;
// empty when window is -1, for a folder that has no path or on failure.
std::wstring GetSpecialFolder(HWND window, int folderId);
std::wstring WithTrailingBackslash(const std::wstring& path);

// True when a top-level window of class "IEFrame" exists.
bool IsIERunning();
