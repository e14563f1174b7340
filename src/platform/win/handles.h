#pragma once
// One owner per handle: a move-only holder that closes its handle exactly once.
#include <windows.h>
#include <commctrl.h>

#include <utility>

// `Empty` is the value that holds nothing: null for most handles,
// INVALID_HANDLE_VALUE (-1) for files and searches.
template <typename H, auto Close, LONG_PTR Empty = 0>
class unique_any {
public:
    unique_any() = default;
    explicit unique_any(H h) : h_(h) {}
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& o) noexcept : h_(std::exchange(o.h_, empty())) {}
    unique_any& operator=(unique_any&& o) noexcept {
        reset(std::exchange(o.h_, empty()));
        return *this;
    }
    ~unique_any() { reset(); }

    H get() const { return h_; }
    explicit operator bool() const { return h_ != empty(); }
    void reset(H h = empty()) {
        if (h_ != empty() && h_ != h) Close(h_);
        h_ = h;
    }
    H release() { return std::exchange(h_, empty()); }

private:
    static H empty() { return reinterpret_cast<H>(Empty); }
    H h_ = empty();
};

// A GDI object selected into a device context for the life of the owner; the
// object selected before is put back.
class scoped_select {
public:
    scoped_select(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~scoped_select() { SelectObject(dc_, previous_); }
    scoped_select(const scoped_select&) = delete;
    scoped_select& operator=(const scoped_select&) = delete;

private:
    HDC dc_;             // borrowed
    HGDIOBJ previous_;  // borrowed: the device context's own
};

namespace handles_detail {
inline void DeleteGdi(HGDIOBJ h) { ::DeleteObject(h); }
template <typename Interface>
void ReleaseCom(Interface* p) { p->Release(); }
}  // namespace handles_detail

using unique_hicon = unique_any<HICON, &::DestroyIcon>;
using unique_hkey = unique_any<HKEY, &::RegCloseKey>;
using unique_hfind = unique_any<HANDLE, &::FindClose, -1>;
using unique_hfile = unique_any<HANDLE, &::CloseHandle, -1>;
using unique_handle = unique_any<HANDLE, &::CloseHandle>;
using unique_hmodule = unique_any<HMODULE, &::FreeLibrary>;
using unique_hdc = unique_any<HDC, &::DeleteDC>;
using unique_hbrush = unique_any<HBRUSH, &handles_detail::DeleteGdi>;
using unique_hfont = unique_any<HFONT, &handles_detail::DeleteGdi>;
using unique_hpen = unique_any<HPEN, &handles_detail::DeleteGdi>;
using unique_hbitmap = unique_any<HBITMAP, &handles_detail::DeleteGdi>;
// One reference to a COM object.
template <typename Interface>
using unique_com = unique_any<Interface*, &handles_detail::ReleaseCom<Interface>>;
