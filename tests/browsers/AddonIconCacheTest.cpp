#include "browsers/AddonIconCache.h"

#include <windows.h>

#include <algorithm>
#include "platform/GdiplusInclude.h"

#include <gtest/gtest.h>

namespace {

// A program with icons of its own, copied so the test can delete it.
class CopiedProgram {
public:
    CopiedProgram() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"brivo-icon-cache-test.exe";
        copied_ = CopyFileW(L"C:\\windows\\syswow64\\notepad.exe", path_.c_str(), FALSE) != 0;
    }
    ~CopiedProgram() { Delete(); }
    void Delete() { DeleteFileW(path_.c_str()); }
    const std::wstring& Path() const { return path_; }
    bool Copied() const { return copied_; }

private:
    std::wstring path_;
    bool copied_ = false;
};

Gdiplus::ARGB PixelAt(Gdiplus::Bitmap& picture, int x, int y) {
    Gdiplus::Color color;
    picture.GetPixel(x, y, &color);
    return color.GetValue();
}

TEST(AddonIconCache, EveryRequestGetsItsOwnCopyOfTheFirstExtraction) {
    CopiedProgram program;
    ASSERT_TRUE(program.Copied());
    TAddonIconCache cache;
    AddonPicture first = cache.IconOf(program.Path());
    ASSERT_TRUE(first);
    // The file is gone, so a second picture can only come from the cache.
    program.Delete();
    AddonPicture second = cache.IconOf(program.Path());
    ASSERT_TRUE(second);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(second->GetWidth(), 48u);
    EXPECT_EQ(second->GetHeight(), 48u);
    for (int xy : {0, 10, 31, 47}) EXPECT_EQ(PixelAt(*first, xy, xy), PixelAt(*second, xy, xy)) << "at " << xy;
    first.reset();  // each copy lives on its own
    EXPECT_EQ(PixelAt(*second, 47, 47) >> 24, 0u) << "outside the icon stays transparent";

    TAddonIconCache fresh;
    EXPECT_FALSE(fresh.IconOf(program.Path()));
}

TEST(AddonIconCache, FilesWithoutIconsStayWithout) {
    TAddonIconCache cache;
    EXPECT_FALSE(cache.IconOf(L"C:\\no\\such\\file.dll"));
    EXPECT_FALSE(cache.IconOf(L"C:\\no\\such\\file.dll"));
    EXPECT_FALSE(cache.IconOf(L"HKEY_CURRENT_USER\\SOFTWARE\\MozillaPlugins\\x"));
    EXPECT_FALSE(cache.IconOf(L""));
}

}  // namespace
