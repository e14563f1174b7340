// The note for screen readers: an Active Accessibility object for the note's
// client area whose children are the painted parts and the text area.
#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <new>

#include "note/COutlookNote.h"
#include "platform/win/late_bound.h"
#include "platform/text/ansi_text.h"

static_assert(static_cast<long>(PartRole::TitleBar) == ROLE_SYSTEM_TITLEBAR);
static_assert(static_cast<long>(PartRole::Grip) == ROLE_SYSTEM_GRIP);
static_assert(static_cast<long>(PartRole::Client) == ROLE_SYSTEM_CLIENT);
static_assert(static_cast<long>(PartRole::StaticText) == ROLE_SYSTEM_STATICTEXT);
static_assert(static_cast<long>(PartRole::PushButton) == ROLE_SYSTEM_PUSHBUTTON);

namespace {

// The interface ids come from the headers: MinGW's oleacc import library
// defines IID_IAccessible as an import stub, whose bytes are no interface id.
const IID& kIidAccessible = __uuidof(IAccessible);

// The child a VARIANT names: CHILDID_SELF or a part's id; -1 for anything else.
long ChildOf(const VARIANT& v) {
    return v.vt == VT_I4 && v.lVal >= CHILDID_SELF && v.lVal <= kNotePartCount ? v.lVal : -1;
}

VARIANT Self() {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}

void SetI4(VARIANT* v, long value) {
    v->vt = VT_I4;
    v->lVal = value;
}

HRESULT SetText(BSTR* out, const std::string& text) {
    *out = late::SysAllocString(ui::FromNarrow(text).c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

NoteLayout Chrome(const COutlookNote& note) {
    NoteLayout chrome;
    chrome.TitleRect = note.TitleRect;
    chrome.MenuIconRect = note.MenuIconRect;
    chrome.MinRect = note.MinRect;
    chrome.CloseRect = note.CloseRect;
    chrome.DateRect = note.DateRect;
    chrome.SizeGripRect = note.SizeGripRect;
    return chrome;
}

}  // namespace

class CNoteAccessible final : public IAccessible {
public:
    explicit CNoteAccessible(COutlookNote& note) : m_note(&note) {}

    // The note is going away: clients still holding the object hear so from now on.
    void Disconnect() {
        m_note = nullptr;
        CoDisconnectObject(static_cast<IAccessible*>(this), 0);
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == kIidAccessible) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0) delete this;
        return static_cast<ULONG>(refs);
    }

    // IDispatch: clients use the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!m_note) return RPC_E_DISCONNECTED;
        return late::CreateStdAccessibleObject(m_note->hWnd(), OBJID_WINDOW, __uuidof(IDispatch),
                                                reinterpret_cast<void**>(parent));
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        if (!m_note) return RPC_E_DISCONNECTED;
        *count = kNotePartCount;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (!m_note) return RPC_E_DISCONNECTED;
        const long id = ChildOf(child);
        if (id <= CHILDID_SELF) return E_INVALIDARG;
        if (id != kTextAreaChild) return S_FALSE;  // a painted part is an element of this object
        return TextAreaDispatch(object);
    }

    // The child a call names: S_OK with its id, or why there is none.
    HRESULT Named(const VARIANT& child, long& id) const {
        if (!m_note) return RPC_E_DISCONNECTED;
        id = ChildOf(child);
        return id < 0 ? E_INVALIDARG : S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        *name = nullptr;
        long id = 0;
        if (const HRESULT named = Named(child, id); FAILED(named)) return named;
        if (id == CHILDID_SELF) return SetText(name, m_note->TitleText);
        const NotePart& part = NotePartOf(id);
        switch (part.name) {
        case PartName::Fixed:
            return SetText(name, part.fixedName);
        case PartName::TitleText:
            return SetText(name, m_note->TitleText);
        case PartName::DateText:
            return SetText(name, m_note->DateLineShown());
        case PartName::Control:
            return AskTextArea([&](IAccessible& a) { return a.get_accName(Self(), name); });
        case PartName::None:
            break;
        }
        return S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!value) return E_POINTER;
        *value = nullptr;
        return TextAreaOnly(child, [&](IAccessible& a) { return a.get_accValue(Self(), value); });
    }

    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (!description) return E_POINTER;
        *description = nullptr;
        return TextAreaOnly(child, [&](IAccessible& a) { return a.get_accDescription(Self(), description); });
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        role->vt = VT_EMPTY;
        long id = 0;
        if (const HRESULT named = Named(child, id); FAILED(named)) return named;
        if (id == kTextAreaChild) return AskTextArea([&](IAccessible& a) { return a.get_accRole(Self(), role); });
        SetI4(role, id == CHILDID_SELF ? ROLE_SYSTEM_CLIENT : static_cast<long>(NotePartOf(id).role));
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_POINTER;
        state->vt = VT_EMPTY;
        long id = 0;
        if (const HRESULT named = Named(child, id); FAILED(named)) return named;
        if (id == kTextAreaChild) return AskTextArea([&](IAccessible& a) { return a.get_accState(Self(), state); });
        const HWND hwnd = m_note->hWnd();
        const bool shown = IsWindowVisible(hwnd) && !IsIconic(hwnd);
        if (id == CHILDID_SELF) {
            // The note takes the focus only to hand it to its text area.
            SetI4(state, STATE_SYSTEM_FOCUSABLE | (shown ? 0 : STATE_SYSTEM_INVISIBLE) |
                             (GetFocus() == hwnd ? STATE_SYSTEM_FOCUSED : 0));
            return S_OK;
        }
        SetI4(state, shown && !IsEmptyRect(Chrome(*m_note).*NotePartOf(id).rect) ? 0 : STATE_SYSTEM_INVISIBLE);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        if (!help) return E_POINTER;
        *help = nullptr;
        return TextAreaOnly(child, [&](IAccessible& a) { return a.get_accHelp(Self(), help); });
    }

    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        if (!file || !topic) return E_POINTER;
        *file = nullptr;
        *topic = 0;
        return TextAreaOnly(child, [&](IAccessible& a) { return a.get_accHelpTopic(file, Self(), topic); });
    }

    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        if (!shortcut) return E_POINTER;
        *shortcut = nullptr;
        return TextAreaOnly(child, [&](IAccessible& a) { return a.get_accKeyboardShortcut(Self(), shortcut); });
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        focus->vt = VT_EMPTY;
        if (!m_note) return RPC_E_DISCONNECTED;
        const HWND with = GetFocus();
        if (with == m_note->hWnd()) {
            SetI4(focus, CHILDID_SELF);
            return S_OK;
        }
        return with == m_note->rtbMain.hWnd() ? ChildVariant(kTextAreaChild, focus) : S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        selection->vt = VT_EMPTY;
        return m_note ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
    }

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!action) return E_POINTER;
        *action = nullptr;
        long id = 0;
        if (const HRESULT named = Named(child, id); FAILED(named)) return named;
        if (id == kTextAreaChild)
            return AskTextArea([&](IAccessible& a) { return a.get_accDefaultAction(Self(), action); });
        if (id == CHILDID_SELF || NotePartOf(id).action == PartAction::None) return S_FALSE;
        return SetText(action, "Press");
    }

    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return TextAreaOnly(child, [&](IAccessible& a) { return a.accSelect(flags, Self()); });
    }

    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        long id = 0;
        if (const HRESULT named = Named(child, id); FAILED(named)) return named;
        if (id == kTextAreaChild)
            return AskTextArea([&](IAccessible& a) { return a.accLocation(left, top, width, height, Self()); });
        Rect r;
        if (id == CHILDID_SELF) {
            RECT client{};
            GetClientRect(m_note->hWnd(), &client);
            r = {client.left, client.top, client.right, client.bottom};
        } else {
            r = Chrome(*m_note).*NotePartOf(id).rect;
        }
        POINT origin{r.left, r.top};
        ClientToScreen(m_note->hWnd(), &origin);
        *left = origin.x;
        *top = origin.y;
        *width = std::max(0L, static_cast<long>(r.right - r.left));
        *height = std::max(0L, static_cast<long>(r.bottom - r.top));
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        end->vt = VT_EMPTY;
        if (!m_note) return RPC_E_DISCONNECTED;
        const long id = ChildOf(start);
        if (id < 0) return E_INVALIDARG;
        long to = 0;
        if (id == CHILDID_SELF) {
            if (direction == NAVDIR_FIRSTCHILD) to = 1;
            if (direction == NAVDIR_LASTCHILD) to = kNotePartCount;
        } else {
            if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) return E_INVALIDARG;
            if (direction == NAVDIR_NEXT && id < kNotePartCount) to = id + 1;
            if (direction == NAVDIR_PREVIOUS && id > 1) to = id - 1;
        }
        return to ? ChildVariant(to, end) : S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* found) override {
        if (!found) return E_POINTER;
        found->vt = VT_EMPTY;
        if (!m_note) return RPC_E_DISCONNECTED;
        const POINT screen{x, y};
        POINT at = screen;
        ScreenToClient(m_note->hWnd(), &at);
        RECT client{};
        GetClientRect(m_note->hWnd(), &client);
        if (!PtInRect(&client, at)) return S_FALSE;
        if (const long id = NotePartAt(modMain::ToNearestInt16(at.x), modMain::ToNearestInt16(at.y), Chrome(*m_note)))
            return ChildVariant(id, found);
        RECT text{};
        GetWindowRect(m_note->rtbMain.hWnd(), &text);
        if (PtInRect(&text, screen)) return ChildVariant(kTextAreaChild, found);
        SetI4(found, CHILDID_SELF);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        long id = 0;
        if (const HRESULT named = Named(child, id); FAILED(named)) return named;
        if (id == kTextAreaChild) return AskTextArea([&](IAccessible& a) { return a.accDoDefaultAction(Self()); });
        if (id == CHILDID_SELF || NotePartOf(id).action == PartAction::None) return DISP_E_MEMBERNOTFOUND;
        // A menu or a question would hold the caller until the user answers.
        m_note->PostPartAction(NotePartOf(id).action);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return TextAreaOnly(child, [&](IAccessible& a) { return a.put_accValue(Self(), value); });
    }

private:
    ~CNoteAccessible() = default;

    // The text area's own accessible object, as the control presents itself.
    HRESULT TextAreaDispatch(IDispatch** object) const {
        return late::AccessibleObjectFromWindow(m_note->rtbMain.hWnd(), static_cast<DWORD>(OBJID_CLIENT),
                                                 __uuidof(IDispatch), reinterpret_cast<void**>(object));
    }

    // Puts the child into a VARIANT: the text area as its own object, a painted part by its id.
    HRESULT ChildVariant(long id, VARIANT* out) const {
        if (id != kTextAreaChild) {
            SetI4(out, id);
            return S_OK;
        }
        IDispatch* object = nullptr;
        const HRESULT hr = TextAreaDispatch(&object);
        if (FAILED(hr)) return hr;
        out->vt = VT_DISPATCH;
        out->pdispVal = object;  // the caller's reference
        return S_OK;
    }

    // Asks the text area's own object about itself.
    template <typename Ask>
    HRESULT AskTextArea(Ask ask) const {
        IAccessible* raw = nullptr;
        const HRESULT hr = late::AccessibleObjectFromWindow(m_note->rtbMain.hWnd(), static_cast<DWORD>(OBJID_CLIENT),
                                                             kIidAccessible, reinterpret_cast<void**>(&raw));
        const unique_com<IAccessible> object(raw);
        return FAILED(hr) ? hr : ask(*object.get());
    }

    // A property or method only the text area has.
    template <typename Ask>
    HRESULT TextAreaOnly(const VARIANT& child, Ask ask) const {
        long id = 0;
        if (const HRESULT named = Named(child, id); FAILED(named)) return named;
        return id == kTextAreaChild ? AskTextArea(ask) : DISP_E_MEMBERNOTFOUND;
    }

    COutlookNote* m_note;  // borrowed; null once the note's window has gone
    LONG m_refs = 1;       // the note's own reference
};

void CNoteAccessibleRelease::operator()(CNoteAccessible* object) const {
    object->Disconnect();
    object->Release();
}

LRESULT COutlookNote::OnGetObject(WPARAM flags, LPARAM objectId) {
    // The id arrives as a 32-bit value, sign-extended on 64-bit systems or not.
    if (static_cast<DWORD>(objectId) != static_cast<DWORD>(OBJID_CLIENT))
        return DefWindowProcA(m_hwnd, WM_GETOBJECT, flags, objectId);
    if (!m_accessible) m_accessible.reset(new (std::nothrow) CNoteAccessible(*this));
    if (!m_accessible) return DefWindowProcA(m_hwnd, WM_GETOBJECT, flags, objectId);
    return late::LresultFromObject(kIidAccessible, flags, static_cast<IAccessible*>(m_accessible.get()));
}

void COutlookNote::PostPartAction(PartAction action) {
    PostMessageA(m_hwnd, kPartActionMessage, static_cast<WPARAM>(action), 0);
}

void COutlookNote::OnPartAction(PartAction action) {
    switch (action) {
    case PartAction::OpenMenu:
        OpenMenuUnderIcon();
        break;
    case PartAction::Minimize:
        ShowWindow(m_hwnd, SW_MINIMIZE);
        break;
    case PartAction::Close:
        Unload();  // asks the exit question; may cancel
        break;
    case PartAction::None:
        break;
    }
}
