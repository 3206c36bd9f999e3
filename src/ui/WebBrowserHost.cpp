#include "ui/WebBrowserHost.h"

#include <exdisp.h>
#include <exdispid.h>
#include <mshtml.h>
#include <ole2.h>

#include <string>

#include "net/WebAddress.h"
#include "platform/ShellHelpers.h"

namespace {

// An owned COM interface pointer.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }
    T** Out() {
        Reset();
        return &p_;
    }
    void Reset() {
        if (p_) p_->Release();
        p_ = nullptr;
    }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

class Bstr {
public:
    explicit Bstr(const wchar_t* text) : b_(SysAllocString(text)) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(b_); }
    BSTR Get() const { return b_; }

private:
    BSTR b_;
};

std::wstring VariantText(const VARIANT* v) {
    if (!v) return {};
    if (v->vt == (VT_BYREF | VT_VARIANT)) return VariantText(v->pvarVal);
    if (v->vt == VT_BSTR && v->bstrVal) return v->bstrVal;
    if (v->vt == (VT_BYREF | VT_BSTR) && v->pbstrVal && *v->pbstrVal) return *v->pbstrVal;
    return {};
}

void SetCancel(VARIANT* v) {
    if (v && v->vt == (VT_BYREF | VT_BOOL) && v->pboolVal) *v->pboolVal = VARIANT_TRUE;
}

class TWebBrowserHost final : public INewsBrowser,
                              public IOleClientSite,
                              public IOleInPlaceSite,
                              public IOleInPlaceFrame,
                              public IDispatch {
public:
    ~TWebBrowserHost() override {
        if (sinkPoint_) sinkPoint_->Unadvise(sinkCookie_);
        if (object_) {
            object_->Close(OLECLOSE_NOSAVE);
            object_->SetClientSite(nullptr);
        }
    }

    bool Create(HWND parent) override {
        parent_ = parent;
        if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                    reinterpret_cast<void**>(object_.Out()))))
            return false;
        if (FAILED(object_->SetClientSite(static_cast<IOleClientSite*>(this)))) return false;
        RECT r{0, 0, 100, 100};
        if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0,
                                   parent_, &r)))
            return false;
        if (FAILED(object_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(browser_.Out()))))
            return false;
        browser_->put_Silent(VARIANT_TRUE);
        ComPtr<IConnectionPointContainer> container;
        if (SUCCEEDED(object_->QueryInterface(IID_IConnectionPointContainer,
                                              reinterpret_cast<void**>(container.Out()))) &&
            SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, sinkPoint_.Out())))
            sinkPoint_->Advise(static_cast<IDispatch*>(this), &sinkCookie_);
        return true;
    }

    void Navigate(const std::wstring& url) override {
        if (!browser_ || !IsWebAddress(url)) return;
        Bstr address(url.c_str());
        VARIANT empty;
        VariantInit(&empty);
        browser_->Navigate(address.Get(), &empty, &empty, &empty, &empty);
    }

    void SetBounds(const RECT& bounds) override {
        bounds_ = bounds;
        ComPtr<IOleInPlaceObject> inPlace;
        if (object_ &&
            SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(inPlace.Out()))))
            inPlace->SetObjectRects(&bounds_, &bounds_);
    }

    bool StyleBody() override {
        ComPtr<IDispatch> document;
        if (!browser_ || FAILED(browser_->get_Document(document.Out())) || !document) return false;
        ComPtr<IHTMLDocument2> html;
        if (FAILED(document->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(html.Out())))) return false;
        ComPtr<IHTMLElement> body;
        if (FAILED(html->get_body(body.Out())) || !body) return false;
        Bstr scroll(L"Scroll");
        VARIANT no;
        no.vt = VT_BSTR;
        no.bstrVal = SysAllocString(L"no");
        const HRESULT set = body->setAttribute(scroll.Get(), no, 0);
        VariantClear(&no);
        if (FAILED(set)) return false;
        ComPtr<IHTMLStyle> style;
        if (FAILED(body->get_style(style.Out())) || !style) return false;
        Bstr none(L"none");
        Bstr zero(L"0px");
        return SUCCEEDED(style->put_border(none.Get())) && SUCCEEDED(style->put_margin(zero.Get()));
    }

    // IUnknown: the host lives as long as its window, so counts are not
    // kept; the control releases its references when it is closed.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IOleClientSite)
            *out = static_cast<IOleClientSite*>(this);
        else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
            *out = static_cast<IOleInPlaceSite*>(this);
        else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
            *out = static_cast<IOleInPlaceFrame*>(this);
        else if (riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2)
            *out = static_cast<IDispatch*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** m) override {
        *m = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** c) override {
        *c = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (shared by the site and the frame)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = parent_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        *frame = static_cast<IOleInPlaceFrame*>(this);
        *doc = nullptr;
        *pos = bounds_;
        *clip = bounds_;
        info->fMDIApp = FALSE;
        info->hwndFrame = parent_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT rect) override {
        ComPtr<IOleInPlaceObject> inPlace;
        if (object_ &&
            SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(inPlace.Out()))))
            inPlace->SetObjectRects(rect, rect);
        return S_OK;
    }

    // IOleInPlaceUIWindow / IOleInPlaceFrame: no menus, tools or status.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDispatch: the browser's events.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        VARIANT* args = params ? params->rgvarg : nullptr;
        const UINT count = params ? params->cArgs : 0;
        switch (id) {
        case DISPID_BEFORENAVIGATE2:
            // (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel), last first.
            if (count == 7 && !IsAllowedInside(VariantText(&args[5]))) SetCancel(&args[0]);
            break;
        case DISPID_NEWWINDOW3:
            // (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl): never a
            // window of the control's own; a web address goes to the user's browser.
            if (count == 5) {
                SetCancel(&args[3]);
                const std::wstring url = VariantText(&args[0]);
                if (IsWebAddress(url)) OpenUrl(nullptr, url);
            }
            break;
        case DISPID_NEWWINDOW2:
            if (count == 2) SetCancel(&args[0]);
            break;
        case DISPID_DOCUMENTCOMPLETE:
            // Only the page itself, not each of its frames.
            if (count == 2 && IsTopFrame(args[1])) {
                if (OnDocumentComplete) OnDocumentComplete();
            }
            break;
        default:
            break;
        }
        return S_OK;
    }

private:
    static bool IsAllowedInside(const std::wstring& url) {
        // "about:blank" is the control's own empty page.
        return IsWebAddress(url) || url == L"about:blank";
    }

    bool IsTopFrame(const VARIANT& frame) const {
        if (frame.vt != VT_DISPATCH || !frame.pdispVal || !browser_) return false;
        ComPtr<IUnknown> a;
        ComPtr<IUnknown> b;
        frame.pdispVal->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(a.Out()));
        browser_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(b.Out()));
        return a && a.Get() == b.Get();
    }

    HWND parent_ = nullptr;
    RECT bounds_{};
    ComPtr<IOleObject> object_;
    ComPtr<IWebBrowser2> browser_;
    ComPtr<IConnectionPoint> sinkPoint_;
    DWORD sinkCookie_ = 0;
};

}  // namespace

std::unique_ptr<INewsBrowser> CreateWebBrowserControl() {
    // The control needs OLE on the user-interface thread; a second call only
    // counts up.
    static const bool ole = SUCCEEDED(OleInitialize(nullptr));
    if (!ole) return nullptr;
    auto host = std::make_unique<TWebBrowserHost>();
    return host;
}
