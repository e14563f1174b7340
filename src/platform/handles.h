#pragma once
// One owner per handle: a move-only holder that closes its handle exactly once.
#include <windows.h>
#include <commctrl.h>

#include <utility>

template <typename H, auto Close>
class unique_any {
public:
    unique_any() = default;
    explicit unique_any(H h) : h_(h) {}
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
    unique_any& operator=(unique_any&& o) noexcept {
        reset(std::exchange(o.h_, H{}));
        return *this;
    }
    ~unique_any() { reset(); }

    H get() const { return h_; }
    explicit operator bool() const { return h_ != H{}; }
    void reset(H h = H{}) {
        if (h_ != H{} && h_ != h) Close(h_);
        h_ = h;
    }
    H release() { return std::exchange(h_, H{}); }

private:
    H h_{};
};

namespace handles_detail {
inline void CloseFind(HANDLE h) { if (h != INVALID_HANDLE_VALUE) ::FindClose(h); }
inline void CloseFile(HANDLE h) { if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h); }
inline void DeleteGdi(HGDIOBJ h) { ::DeleteObject(h); }
template <typename Interface>
void ReleaseCom(Interface* p) { p->Release(); }
}  // namespace handles_detail

using unique_hicon = unique_any<HICON, &::DestroyIcon>;
using unique_hmenu = unique_any<HMENU, &::DestroyMenu>;
using unique_hkey = unique_any<HKEY, &::RegCloseKey>;
using unique_hfind = unique_any<HANDLE, &handles_detail::CloseFind>;
using unique_hfile = unique_any<HANDLE, &handles_detail::CloseFile>;
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
