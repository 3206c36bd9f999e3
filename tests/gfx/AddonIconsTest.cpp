#include "gfx/AddonIcons.h"

#include <windows.h>

#include <algorithm>
#include "platform/GdiplusInclude.h"
#include <gtest/gtest.h>

#include <fstream>

namespace {

constexpr CLSID kBmpEncoder = {0x557cf400, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

std::wstring SystemFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + name;
}

class AddonIconFiles : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"BrivoIconTest-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    }
    void TearDown() override {
        for (const std::wstring& f : files) DeleteFileW(f.c_str());
        EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
    }
    std::wstring File(const std::wstring& name, const std::string& content = {}) {
        const std::wstring path = folder + name;
        files.push_back(path);
        if (!content.empty()) std::ofstream(path.c_str(), std::ios::binary) << content;
        return path;
    }
    std::string Bytes(const std::wstring& path) {
        std::ifstream in(path.c_str(), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    std::wstring folder;
    std::vector<std::wstring> files;
};

std::uint8_t AlphaAt(Gdiplus::Bitmap& picture, int x, int y) {
    Gdiplus::Color color;
    EXPECT_EQ(picture.GetPixel(x, y, &color), Gdiplus::Ok);
    return color.GetA();
}

TEST_F(AddonIconFiles, AFileIconIsDrawnTopLeftIntoATransparent48PixelPicture) {
    AddonPicture picture = ExtractIconImage(SystemFile(L"shell32.dll"), 0);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->GetWidth(), 48u);
    EXPECT_EQ(picture->GetHeight(), 48u);
    int opaqueInIcon = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) opaqueInIcon += AlphaAt(*picture, x, y) != 0;
    EXPECT_GT(opaqueInIcon, 0);
    for (int i = 32; i < 48; ++i) {
        EXPECT_EQ(AlphaAt(*picture, i, 5), 0);
        EXPECT_EQ(AlphaAt(*picture, 5, i), 0);
        EXPECT_EQ(AlphaAt(*picture, i, i), 0);
    }
}

TEST_F(AddonIconFiles, TextsWithoutIconsYieldNoPicture) {
    EXPECT_FALSE(ExtractIconImage(File(L"readme.txt", "just text\r\n"), 0));
    EXPECT_FALSE(ExtractIconImage(File(L"missing.dll"), 0));
    // Plug-in records carry a registry path where other records have a file.
    EXPECT_FALSE(ExtractIconImage(L"HKEY_CURRENT_USER\\Software\\MozillaPlugins\\@example.com/Plugin", 0));
    EXPECT_FALSE(ExtractIconImage(L"", 0));
    EXPECT_FALSE(ExtractIconImage(SystemFile(L"shell32.dll"), 100000));
}

TEST_F(AddonIconFiles, APngFileLoadsAndStaysFreeForOthers) {
    AddonPicture drawn = ExtractIconImage(SystemFile(L"shell32.dll"), 0);
    ASSERT_TRUE(drawn);
    const std::wstring png = File(L"icon.png");
    ASSERT_EQ(drawn->Save(png.c_str(), &kPngEncoderClsid, nullptr), Gdiplus::Ok);
    AddonPicture loaded = LoadPngFile(png);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetWidth(), 48u);
    EXPECT_EQ(AlphaAt(*loaded, 47, 47), 0);
    // The picture does not hold the file: it can be opened without sharing.
    const HANDLE exclusive = CreateFileW(png.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(exclusive, INVALID_HANDLE_VALUE);
    if (exclusive != INVALID_HANDLE_VALUE) CloseHandle(exclusive);
}

TEST_F(AddonIconFiles, FilesThatAreNoReadablePngYieldNoPicture) {
    AddonPicture drawn = ExtractIconImage(SystemFile(L"shell32.dll"), 0);
    ASSERT_TRUE(drawn);
    const std::wstring bmp = File(L"icon.bmp");
    ASSERT_EQ(drawn->Save(bmp.c_str(), &kBmpEncoder, nullptr), Gdiplus::Ok);
    const std::wstring png = File(L"whole.png");
    ASSERT_EQ(drawn->Save(png.c_str(), &kPngEncoderClsid, nullptr), Gdiplus::Ok);
    const std::string header = Bytes(png).substr(0, 40);
    EXPECT_FALSE(LoadPngFile(bmp));
    EXPECT_FALSE(LoadPngFile(File(L"cut.png", header)));
    EXPECT_FALSE(LoadPngFile(File(L"page.png", "<html><body>404</body></html>")));
    EXPECT_FALSE(LoadPngFile(File(L"empty.png")));
    EXPECT_FALSE(LoadPngFile(folder + L"absent.png"));
}

}  // namespace
