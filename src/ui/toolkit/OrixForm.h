#pragma once
// A borderless top-level window drawn with the skinned frame. It keeps
// what users expect of a window (task-bar button, Alt+F4, the system menu
// on Alt+Space, snapping, a drop shadow, minimise and restore) and owns its
// components in creation order.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "ui/toolkit/OrixControl.h"
#include "ui/toolkit/OrixFrame.h"
#include "ui/toolkit/OrixHint.h"

class TOrixPopupMenu;

class TOrixForm : public TOrixControl {
public:
    struct CreateArgs {
        std::wstring name;
        std::wstring caption;
        int clientWidth = 400;   // design pixels, title bar included
        int clientHeight = 300;
        TOrixForm* owner = nullptr;          // an owned form has no task-bar button
        std::optional<POINT> position;       // screen pixels; else centred on the owner or the screen
        bool menuButton = true;
        bool minimizeButton = false;
        bool closeButton = true;
        bool movable = true;
        bool resizable = false;
        int cornerRadius = 0;                // design pixels; 0 for square corners
        int titleHeight = 30;
        bool closeOnEscape = false;
    };

    TOrixForm();
    ~TOrixForm() override;

    bool Create(const CreateArgs& args);

    // Makes a component owned by this form; a control without a parent
    // goes on the form itself.
    template <class T>
    T& Add(typename T::CreateArgs args) {
        auto made = std::make_unique<T>();
        T& component = *made;
        if constexpr (std::is_base_of_v<TOrixControl, T>) {
            if (!args.parent) args.parent = this;
        }
        Adopt(std::move(made));
        component.Create(args);
        return component;
    }
    size_t ComponentCount() const { return components_.size(); }
    TOrixComponent& Component(size_t index) const { return *components_[index]; }
    TOrixComponent* FindComponent(const std::wstring& name) const;
    std::vector<TOrixControl*> Controls() const;

    TOrixFrame& Frame() { return frame_; }
    // The window's own font; the language font once translated.
    TOrixFont& Font() { return font_; }
    TOrixHint& Hints();
    void SetMenu(TOrixPopupMenu* menu) { menu_ = menu; }
    void SetResizable(bool resizable);
    void SetCornerRadius(int designRadius);
    // The whole window drawn with this opacity (255: opaque), for fading.
    void SetAlphaBlend(BYTE alpha);
    // Pixels of this colour are see-through; none turns it off.
    void SetTransparentColor(std::optional<COLORREF> color);
    void RefreshFrame();

    void Show();
    void Hide();
    void Close();
    // Shows the form with its owner disabled until it closes; the answer is
    // the modal result (IDCANCEL when the form was closed otherwise).
    int ShowModal();
    void SetModalResult(int result) { modalResult_ = result; }
    int ModalResult() const { return modalResult_; }
    bool IsModal() const { return modal_; }
    void CenterOn(HWND other);

    // False keeps the form open.
    std::function<bool(TOrixForm&)> OnCloseQuery;
    std::function<void(TOrixForm&)> OnDestroy;
    std::function<void(TOrixForm&)> OnMenuButton;
    // Painted over the frame's body, under the controls.
    std::function<void(TOrixForm&, TOrixCanvas&)> OnPaintBackground;
    // Called while the size changes, with the new size in design pixels.
    std::function<void(TOrixForm&, int& width, int& height)> OnLimitSize;
    std::function<void(TOrixForm&)> OnDpiChanged;
    // Sees every key message for the form's windows before the dialog
    // navigation does (shortcuts); true when it handled the message.
    std::function<bool(TOrixForm&, const MSG&)> OnKeyPreview;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void HandlePaint(TOrixCanvas& canvas) override;
    void HandleMouseMove(int x, int y) override;
    void HandleMouseLeave() override;
    void HandleMouseDown(int x, int y) override;
    void HandleMouseUp(int x, int y) override;
    void HandleSize() override;
    void HandleCaptionChanged() override;

private:
    void Adopt(std::unique_ptr<TOrixComponent> component);
    LRESULT HitTest(POINT screen) const;
    void LimitSize(int& width, int& height, bool keepRightEdge, bool keepBottomEdge, RECT* rect);
    void ApplyDpi(UINT dpi, const RECT* suggested);
    void UpdateRegion();
    void UpdateLayered();
    void UpdateButtonHints();
    void PressFrameButton(TOrixFrameButton button);
    void InvalidateTitle();
    void FocusFirstControl();

    std::vector<std::unique_ptr<TOrixComponent>> components_;
    TOrixFrame frame_;
    TOrixFont font_;
    std::unique_ptr<TOrixHint> hints_;
    TOrixPopupMenu* menu_ = nullptr;
    bool movable_ = true;
    bool resizable_ = false;
    int cornerRadius_ = 0;
    bool closeOnEscape_ = false;
    bool modal_ = false;
    int modalResult_ = 0;
    TOrixFrameButton hotButton_ = TOrixFrameButton::None;
    TOrixFrameButton pressedButton_ = TOrixFrameButton::None;
    HWND lastFocus_ = nullptr;
    bool limiting_ = false;
    BYTE alpha_ = 255;
    std::optional<COLORREF> transparentColor_;
};
