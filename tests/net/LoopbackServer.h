#pragma once
// One loopback server per test suite of the web fetch tests.
#include <windows.h>
#include <objidl.h>

#include <algorithm>
#include "platform/GdiplusInclude.h"
#include <gtest/gtest.h>

#include <memory>

#include "support/MessagePump.h"
#include "support/TestHttpServer.h"

class LoopbackServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = std::make_unique<TestHttpServer>(); }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override { ASSERT_TRUE(server->Started()) << server->Failure(); }

    static std::wstring Url(std::wstring_view path) { return server->Url(path); }
    // A loopback address on which nothing listens (the discard port), so the
    // connection is refused at once.
    static std::wstring Unreachable() { return L"http://127.0.0.1:9/nothing"; }

    inline static std::unique_ptr<TestHttpServer> server;
};

struct Pixel {
    int a, r, g, b;
    bool operator==(const Pixel&) const = default;
};

// True when GDI+ reads the bytes as a picture of any format: the JPEG the
// server sends must be a real one for the tests that refuse it to mean much.
inline bool IsSomePicture(const std::string& bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return false;
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(memory, TRUE, &stream) != S_OK) return false;
    bool picture = false;
    {
        Gdiplus::Bitmap decoded(stream);
        picture = decoded.GetLastStatus() == Gdiplus::Ok && decoded.GetWidth() == 8;
    }
    stream->Release();
    return picture;
}

inline Pixel PixelAt(Gdiplus::Bitmap& picture, int x, int y) {
    Gdiplus::Color color;
    picture.GetPixel(x, y, &color);
    return {color.GetA(), color.GetR(), color.GetG(), color.GetB()};
}
