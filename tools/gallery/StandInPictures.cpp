#include "StandInPictures.h"

#include <windows.h>
#include <objidl.h>

#include <algorithm>
#include "platform/GdiplusInclude.h"

#include <functional>
#include <vector>

namespace {

using namespace Gdiplus;
using SliceDrawer = std::function<void(Graphics&, int slice, float w, float h)>;

const Color kAccent(255, 0x16, 0x95, 0xE6);
const Color kAccentHover(255, 0x3A, 0xA9, 0xF0);
const Color kAccentDown(255, 0x0E, 0x74, 0xB5);

void StartGdiplus() {
    static const bool started = [] {
        ULONG_PTR token = 0;
        GdiplusStartupInput input;
        return GdiplusStartup(&token, &input, nullptr) == Ok;
    }();
    (void)started;
}

TOrixStrip Draw(int width, int height, int slices, int scale, const SliceDrawer& draw) {
    StartGdiplus();
    const int pw = width * slices * scale;
    const int ph = height * scale;
    Bitmap bitmap(pw, ph, PixelFormat32bppARGB);
    {
        Graphics g(&bitmap);
        g.SetSmoothingMode(SmoothingModeAntiAlias);
        g.SetTextRenderingHint(TextRenderingHintAntiAliasGridFit);
        g.Clear(Color(0, 0, 0, 0));
        for (int s = 0; s < slices; ++s) {
            g.ResetTransform();
            g.ScaleTransform(static_cast<REAL>(scale), static_cast<REAL>(scale));
            g.TranslateTransform(static_cast<REAL>(s * width), 0);
            draw(g, s, static_cast<float>(width), static_cast<float>(height));
        }
    }
    std::vector<uint32_t> pixels(static_cast<size_t>(pw) * ph);
    BitmapData data = {};
    data.Width = pw;
    data.Height = ph;
    data.Stride = pw * 4;
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = pixels.data();
    Rect all(0, 0, pw, ph);
    bitmap.LockBits(&all, ImageLockModeRead | ImageLockModeUserInputBuf, PixelFormat32bppARGB, &data);
    bitmap.UnlockBits(&data);
    return {TOrixBitmap::FromPixels(pw, ph, pixels, scale), slices};
}

void RoundRect(Graphics& g, const Brush& brush, float x, float y, float w, float h, float r) {
    GraphicsPath path;
    path.AddArc(x, y, 2 * r, 2 * r, 180, 90);
    path.AddArc(x + w - 2 * r, y, 2 * r, 2 * r, 270, 90);
    path.AddArc(x + w - 2 * r, y + h - 2 * r, 2 * r, 2 * r, 0, 90);
    path.AddArc(x, y + h - 2 * r, 2 * r, 2 * r, 90, 90);
    path.CloseFigure();
    g.FillPath(&brush, &path);
}

Color StateColor(int state) { return state == 2 ? kAccentDown : state == 1 ? kAccentHover : kAccent; }

void Star(Graphics& g, const Brush& brush, float cx, float cy, float r) {
    PointF points[10];
    for (int i = 0; i < 10; ++i) {
        const float radius = i % 2 ? r * 0.45f : r;
        const float angle = -1.5708f + i * 0.6283f;
        points[i] = PointF(cx + radius * cosf(angle), cy + radius * sinf(angle));
    }
    g.FillPolygon(&brush, points, 10);
}

// Marks drawn with lines, centred in a w x h box, `size` across.
enum class Mark { Menu, Minimize, Close, Exclamation, Info, Question };

void DrawMark(Graphics& g, Mark mark, float w, float h, float size, Color color) {
    const float cx = w / 2, cy = h / 2, r = size / 2;
    Pen pen(color, std::max(1.5f, size / 7));
    pen.SetStartCap(LineCapRound);
    pen.SetEndCap(LineCapRound);
    SolidBrush brush(color);
    switch (mark) {
    case Mark::Menu:
        for (int i = -1; i <= 1; ++i) g.DrawLine(&pen, cx - r, cy + i * r * 0.6f, cx + r, cy + i * r * 0.6f);
        break;
    case Mark::Minimize:
        g.DrawLine(&pen, cx - r, cy + r * 0.4f, cx + r, cy + r * 0.4f);
        break;
    case Mark::Close:
        g.DrawLine(&pen, cx - r * 0.8f, cy - r * 0.8f, cx + r * 0.8f, cy + r * 0.8f);
        g.DrawLine(&pen, cx - r * 0.8f, cy + r * 0.8f, cx + r * 0.8f, cy - r * 0.8f);
        break;
    case Mark::Exclamation:
        g.DrawLine(&pen, cx, cy - r, cx, cy + r * 0.25f);
        g.FillEllipse(&brush, cx - size / 10, cy + r * 0.6f, size / 5, size / 5);
        break;
    case Mark::Info:
        g.FillEllipse(&brush, cx - size / 10, cy - r, size / 5, size / 5);
        g.DrawLine(&pen, cx, cy - r * 0.25f, cx, cy + r);
        break;
    case Mark::Question:
        g.DrawArc(&pen, cx - r * 0.55f, cy - r, r * 1.1f, r * 1.0f, 180, 250);
        g.DrawLine(&pen, cx + r * 0.05f, cy + r * 0.05f, cx, cy + r * 0.35f);
        g.FillEllipse(&brush, cx - size / 10, cy + r * 0.65f, size / 5, size / 5);
        break;
    }
}

}  // namespace

StandInPictures MakeStandInPictures(int scale) {
    StandInPictures p;
    p.button = Draw(82, 25, 3, scale, [](Graphics& g, int s, float w, float h) {
        SolidBrush brush(StateColor(s));
        RoundRect(g, brush, 0.5f, 0.5f, w - 1, h - 1, 3);
    });
    p.tab = Draw(102, 30, 5, scale, [](Graphics& g, int s, float w, float h) {
        // normal, hover, pressed, disabled, selected
        const Color colors[] = {Color(255, 0xF2, 0xF2, 0xF2), Color(255, 0xE1, 0xF0, 0xFB),
                                Color(255, 0xC6, 0xE3, 0xF8), Color(255, 0xF7, 0xF7, 0xF7), kAccent};
        SolidBrush brush(colors[s]);
        RoundRect(g, brush, 0, 0, w, h + 4, 4);
    });
    p.browserFace = Draw(171, 50, 3, scale, [](Graphics& g, int s, float w, float h) {
        if (s == 0) return;
        SolidBrush brush(s == 1 ? Color(60, 255, 255, 255) : Color(110, 255, 255, 255));
        g.FillRectangle(&brush, 0.f, 0.f, w, h);
    });
    p.social = Draw(20, 20, 3, scale, [](Graphics& g, int s, float w, float h) {
        SolidBrush brush(s == 0 ? Color(255, 0x7A, 0x86, 0x93) : StateColor(s));
        g.FillEllipse(&brush, 1.f, 1.f, w - 2, h - 2);
    });
    auto titleButton = [scale](Mark glyph, bool danger) {
        return Draw(30, 30, 3, scale, [glyph, danger](Graphics& g, int s, float w, float h) {
            if (s > 0) {
                SolidBrush back(danger ? Color(s == 1 ? 255 : 255, s == 1 ? 0xE8 : 0xC4, 0x4C, 0x3C)
                                       : Color(s == 1 ? 50 : 90, 255, 255, 255));
                g.FillRectangle(&back, 0.f, 0.f, w, h);
            }
            DrawMark(g, glyph, w, h, 11, Color(255, 255, 255, 255));
        });
    };
    p.menuButton = titleButton(Mark::Menu, false);
    p.minimizeButton = titleButton(Mark::Minimize, false);
    p.closeButton = titleButton(Mark::Close, true);
    p.logo = Draw(18, 18, 1, scale, [](Graphics& g, int, float w, float h) {
        SolidBrush white(Color(255, 255, 255, 255));
        RoundRect(g, white, 1, 1, w - 2, h - 2, 4);
        SolidBrush dot(kAccent);
        g.FillEllipse(&dot, 5.f, 5.f, w - 10, h - 10);
    });
    p.row = Draw(20, 70, 1, scale, [](Graphics& g, int, float w, float h) {
        SolidBrush line(Color(255, 0xE4, 0xE4, 0xE4));
        g.FillRectangle(&line, 0.f, h - 1, w, 1.f);
    });
    p.selection = Draw(10, 10, 2, scale, [](Graphics& g, int s, float w, float h) {
        Pen pen(s == 0 ? kAccent : Color(255, 0xB0, 0xB0, 0xB0), 2);
        g.DrawRectangle(&pen, 1.f, 1.f, w - 2, h - 2);
    });
    p.header = Draw(90, 25, 1, scale, [](Graphics& g, int, float w, float h) {
        LinearGradientBrush brush(PointF(0, 0), PointF(0, h), Color(255, 0xFA, 0xFA, 0xFA), Color(255, 0xE8, 0xE8, 0xE8));
        g.FillRectangle(&brush, 0.f, 0.f, w, h);
    });
    auto toggle = [scale](bool on) {
        return Draw(45, 18, 3, scale, [on](Graphics& g, int s, float w, float h) {
            Color back = on ? StateColor(s) : (s == 2 ? Color(255, 0x90, 0x90, 0x90) : s == 1 ? Color(255, 0xB5, 0xB5, 0xB5) : Color(255, 0xC8, 0xC8, 0xC8));
            SolidBrush brush(back);
            RoundRect(g, brush, 0.5f, 0.5f, w - 1, h - 1, h / 2 - 0.5f);
            SolidBrush knob(Color(255, 255, 255, 255));
            g.FillEllipse(&knob, on ? w - h + 2 : 2.f, 2.f, h - 4, h - 4);
        });
    };
    p.toggleOn = toggle(true);
    p.toggleOff = toggle(false);
    p.remove = Draw(18, 18, 3, scale, [](Graphics& g, int s, float w, float h) {
        SolidBrush brush(s == 0 ? Color(255, 0xB0, 0xB0, 0xB0) : s == 1 ? Color(255, 0xE8, 0x4C, 0x3C) : Color(255, 0xB0, 0x30, 0x22));
        g.FillEllipse(&brush, 0.5f, 0.5f, w - 1, h - 1);
        DrawMark(g, Mark::Close, w, h, 8, Color(255, 255, 255, 255));
    });
    auto star = [scale](Color color, bool half) {
        return Draw(15, 15, 1, scale, [color, half](Graphics& g, int, float w, float h) {
            SolidBrush grey(Color(255, 0xD0, 0xD0, 0xD0));
            SolidBrush lit(color);
            Star(g, half ? grey : lit, w / 2, h / 2 + 0.5f, w / 2);
            if (half) {
                g.SetClip(RectF(0, 0, w / 2, h));
                Star(g, lit, w / 2, h / 2 + 0.5f, w / 2);
                g.ResetClip();
            }
        });
    };
    p.starLit = star(Color(255, 0xFF, 0xB4, 0x00), false);
    p.starHalf = star(Color(255, 0xFF, 0xB4, 0x00), true);
    p.starGrey = star(Color(255, 0xD0, 0xD0, 0xD0), false);
    p.addon = Draw(48, 48, 1, scale, [](Graphics& g, int, float w, float h) {
        SolidBrush brush(Color(255, 0x5C, 0x6B, 0x7A));
        RoundRect(g, brush, 4, 4, w - 8, h - 8, 8);
        SolidBrush piece(Color(255, 255, 255, 255));
        g.FillRectangle(&piece, 16.f, 16.f, 16.f, 16.f);
        g.FillEllipse(&piece, 20.f, 10.f, 8.f, 8.f);
    });
    p.browserIcon = Draw(32, 32, 1, scale, [](Graphics& g, int, float w, float h) {
        SolidBrush ring(Color(255, 255, 255, 255));
        g.FillEllipse(&ring, 1.f, 1.f, w - 2, h - 2);
        SolidBrush inner(kAccent);
        g.FillEllipse(&inner, 8.f, 8.f, w - 16, h - 16);
    });
    p.emptyList = Draw(100, 100, 1, scale, [](Graphics& g, int, float w, float h) {
        SolidBrush back(Color(255, 0xEE, 0xEE, 0xEE));
        g.FillEllipse(&back, 0.f, 0.f, w, h);
        SolidBrush box(Color(255, 0xCC, 0xCC, 0xCC));
        RoundRect(g, box, 28, 34, 44, 36, 4);
    });
    p.thumb = Draw(12, 30, 3, scale, [](Graphics& g, int s, float w, float h) {
        SolidBrush brush(s == 2 ? kAccent : s == 1 ? Color(255, 0xA6, 0xA6, 0xA6) : Color(255, 0xC9, 0xC9, 0xC9));
        RoundRect(g, brush, 3, 1, w - 6, h - 2, 3);
    });
    const Color iconColors[] = {Color(255, 0xF5, 0xA6, 0x23), Color(255, 0xE8, 0x4C, 0x3C), kAccent,
                                Color(255, 0x2E, 0xA0, 0x5A)};
    const Mark iconMarks[] = {Mark::Exclamation, Mark::Close, Mark::Info, Mark::Question};
    for (int i = 0; i < 4; ++i) {
        p.messageIcons[i] = Draw(32, 32, 1, scale, [&, i](Graphics& g, int, float w, float h) {
            SolidBrush brush(iconColors[i]);
            g.FillEllipse(&brush, 1.f, 1.f, w - 2, h - 2);
            DrawMark(g, iconMarks[i], w, h, 16, Color(255, 255, 255, 255));
        });
    }
    return p;
}
