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

ProfileSandbox::ProfileSandbox()
    : local_(GetSpecialFolder(nullptr, CSIDL_LOCAL_APPDATA)), roaming_(GetSpecialFolder(nullptr, CSIDL_APPDATA)) {
    EXPECT_FALSE(local_.empty());
    EXPECT_FALSE(roaming_.empty());
    for (const wchar_t* vendor : {L"\\Google", L"\\Comodo", L"\\RockMelt", L"\\Chromium"}) vendors_.push_back(local_ + vendor);
    vendors_.push_back(roaming_ + L"\\Opera Software");
    for (const std::wstring& vendor : vendors_) {
        if (!PathExists(vendor)) continue;
        const std::wstring aside = UniqueName((vendor + L".brivo-aside").c_str());
        EXPECT_TRUE(MoveFileW(vendor.c_str(), aside.c_str())) << ToUtf8(vendor);
        moved_.push_back({vendor, aside});
    }
}

ProfileSandbox::~ProfileSandbox() {
    for (const std::wstring& vendor : vendors_) {
        RemoveTree(vendor);
        EXPECT_FALSE(PathExists(vendor)) << "left behind: " << ToUtf8(vendor);
    }
    for (const Moved& m : moved_) MoveFileW(m.aside.c_str(), m.original.c_str());
}

std::wstring ProfileSandbox::MakeChromiumProfile(const wchar_t* row) const {
    const std::wstring folder = local_ + row;
    MakeFolders(folder);
    return folder;
}

std::wstring ProfileSandbox::MakeOperaProfile() const {
    const std::wstring folder = roaming_ + L"\\Opera Software\\Opera Stable\\";
    MakeFolders(folder);
    return folder;
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
