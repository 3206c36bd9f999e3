#include "ChromiumTestFiles.h"

#include <objidl.h>
#include <shlobj.h>

#include <algorithm>
#include "platform/GdiplusInclude.h"
#include <gtest/gtest.h>

#include <atomic>

#include "platform/ShellHelpers.h"
#include "platform/Utf.h"

namespace {

// The PNG encoder of GDI+.

void EnsureGdiplus() {
    static const bool started = [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    ASSERT_TRUE(started);
}

}  // namespace

void WritePng(const std::wstring& path, int size) {
    EnsureGdiplus();
    Gdiplus::Bitmap picture(size, size, PixelFormat32bppARGB);
    ASSERT_EQ(picture.GetLastStatus(), Gdiplus::Ok);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) picture.SetPixel(x, y, Gdiplus::Color(255, 40, 120, static_cast<BYTE>(x * 5)));
    ASSERT_EQ(picture.Save(path.c_str(), &kPngEncoderClsid, nullptr), Gdiplus::Ok) << ToUtf8(path);
}

ScratchFolder::ScratchFolder(const wchar_t* stem) {
    wchar_t temp[MAX_PATH] = {};
    EXPECT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    path_ = WithTrailingBackslash(temp) + UniqueName(stem) + L"\\";
    MakeFolders(path_);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
    EXPECT_FALSE(PathExists(path_)) << "left behind: " << ToUtf8(path_);
}
