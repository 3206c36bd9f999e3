#pragma once
// The base of every skinned control: it owns its window, is linked to it
// from WM_NCCREATE on (or by subclassing, for the system's edit, combo and
// rich edit controls), turns window messages into virtual handlers and
// events, reflects the notifications of child controls back to them, and
// places itself from design bounds scaled for the DPI with anchors.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/toolkit/OrixCanvas.h"
#include "ui/toolkit/OrixComponent.h"

class TOrixControl : public TOrixComponent {
public:
    struct CreateArgs {
        TOrixControl* parent = nullptr;  // the form or a panel
        std::wstring name;
        TOrixBounds bounds;              // design pixels in the parent's client area
        std::wstring caption;
        unsigned anchors = AnchorLeft | AnchorTop;
        TOrixAlign align = TOrixAlign::None;
        bool visible = true;
        bool enabled = true;
        std::wstring hint;
        intptr_t tag = 0;
    };

    ~TOrixControl() override;

    HWND Handle() const { return hwnd_; }
    // The control a window belongs to; none for other windows.
    static TOrixControl* FromHandle(HWND window);
    TOrixControl* ParentControl() const { return parent_; }

    std::wstring Caption() const override { return caption_; }
    void SetCaption(const std::wstring& caption);
    const std::wstring& Hint() const { return hint_; }
    void SetHint(const std::wstring& hint);

    UINT Dpi() const { return dpi_; }
    int Scale(int designValue) const { return ScaleForDpi(designValue, dpi_); }
    TOrixBounds DesignBounds() const { return bounds_; }
    // New design bounds; anchor distances are taken again from the parent's
    // present size.
    void SetDesignBounds(const TOrixBounds& bounds);
    void SetAnchors(unsigned anchors);
    void SetAlign(TOrixAlign align);
    RECT ClientRect() const;
    int ClientWidth() const;
    int ClientHeight() const;
    // The client size in design pixels.
    int DesignClientWidth() const { return UnscaleForDpi(ClientWidth(), dpi_); }
    int DesignClientHeight() const { return UnscaleForDpi(ClientHeight(), dpi_); }

    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Focused() const;
    void SetFocus();
    bool Hovered() const { return hovered_; }
    // The cursor over the control; none for the class cursor (arrow).
    void SetCursor(HCURSOR cursor);
    // The parent's background shows where this control draws nothing.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    void Invalidate();
    // Invalidate and paint now.
    void Repaint();

    // Places the control from its design bounds, anchors and alignment.
    void ApplyLayout();
    // Where ApplyLayout puts it, in the parent's client pixels.
    RECT LayoutRect() const;
    // Places every control whose parent this is.
    void LayoutChildren();
    // Called by the form when its DPI changed.
    void ChangeDpi(UINT dpi);

    std::function<void(TOrixControl&)> OnClick;
    std::function<void(TOrixControl&)> OnMouseEnter;
    std::function<void(TOrixControl&)> OnMouseLeave;
    std::function<void(TOrixControl&, int x, int y)> OnMouseMove;
    std::function<void(TOrixControl&)> OnResize;

protected:
    explicit TOrixControl(TOrixKind kind) : TOrixComponent(kind) {}

    // A window of one of the toolkit's own classes (registered on first use).
    bool CreateOwnWindow(const CreateArgs& args, const wchar_t* className, DWORD style, DWORD exStyle = 0);
    // A system control (edit, combo box, rich edit) subclassed so that this
    // object sees its messages first.
    bool CreateSystemControl(const CreateArgs& args, const wchar_t* className, DWORD style, DWORD exStyle = 0);
    // Top-level windows (forms) place themselves; this links the object.
    HWND CreateTopLevel(const wchar_t* className, UINT classStyle, DWORD style, DWORD exStyle, const RECT& bounds,
                        HWND owner, const std::wstring& caption);
    void TakeArgs(const CreateArgs& args);

    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT CallDefault(UINT msg, WPARAM wp, LPARAM lp);

    virtual void HandlePaint(TOrixCanvas& canvas) {}
    virtual void HandleMouseMove(int x, int y);
    virtual void HandleMouseEnter();
    virtual void HandleMouseLeave();
    virtual void HandleMouseDown(int x, int y) {}
    virtual void HandleMouseUp(int x, int y) {}
    // Left button released inside after being pressed inside.
    virtual void HandleClick(int x, int y);
    virtual void HandleCaptureLost() { Invalidate(); }
    virtual bool HandleWheel(int delta) { return false; }
    virtual bool HandleKeyDown(UINT key) { return false; }
    virtual bool HandleKeyUp(UINT key) { return false; }
    virtual bool HandleChar(wchar_t ch) { return false; }
    virtual void HandleFocus(bool focused) { Invalidate(); }
    virtual void HandleTimer(UINT_PTR id) {}
    virtual void HandleSize();
    virtual void HandleDpiChanged() { Invalidate(); }
    virtual void HandleEnabled() { Invalidate(); }
    virtual void HandleCaptionChanged() { Invalidate(); }
    // Keys the dialog navigation leaves to the control (WM_GETDLGCODE).
    virtual UINT DialogCode(const MSG* message) { return 0; }
    // A notification this control sent to its parent, handed back.
    virtual bool HandleReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }

    bool Pressed() const { return pressed_; }
    // Draws what the parent shows under this control into dc.
    void PaintParentBackground(HDC dc) const;
    // Paints the control into dc as a whole (for WM_PRINTCLIENT and the buffer).
    void PaintInto(HDC dc);
    // Keeps the paint buffer between paints (controls that repaint often).
    void KeepPaintBuffer(bool keep) { keepBuffer_ = keep; }

private:
    static LRESULT CALLBACK OwnWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void Attach(HWND hwnd);
    void Detach();
    void PaintBuffered();
    void RememberAnchorGaps();

    HWND hwnd_ = nullptr;
    bool system_ = false;
    TOrixControl* parent_ = nullptr;
    std::wstring caption_;
    std::wstring hint_;
    TOrixBounds bounds_;
    unsigned anchors_ = AnchorLeft | AnchorTop;
    TOrixAlign align_ = TOrixAlign::None;
    int rightGap_ = 0;
    int bottomGap_ = 0;
    UINT dpi_ = kDesignDpi;
    HCURSOR cursor_ = nullptr;
    bool transparent_ = false;
    bool hovered_ = false;
    bool pressed_ = false;
    bool keepBuffer_ = false;
    UniqueBitmap buffer_;
    SIZE bufferSize_ = {};
};
