#pragma once
// The user's default web browser, as the http protocol's UserChoice names it.
class TBrowserAppBase;

// True when the http UserChoice "Progid" is exactly the adapter's UrlProgId.
bool IsDefaultBrowser(const TBrowserAppBase& adapter);

// Writes the adapter's UrlProgId into the existing ftp, http and https
// UserChoice keys and, when at least one of them took it and the browser has
// an open command, that command into the three protocols' open commands.
// Answers whether the browser is the default afterwards: Windows
// protects the UserChoice keys, so the writes may change nothing, and the
// user must not be told otherwise.
bool SetDefaultBrowser(const TBrowserAppBase& adapter);
