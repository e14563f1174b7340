#include "support/dialog_driver.h"

#include <commctrl.h>

#include <chrono>

#include "support/readers.h"
#include "support/test_support.h"

namespace {

constexpr int kFileNameBox = 0x47c;  // cmb13 of the open-file dialog

BOOL CALLBACK HasTree(HWND child, LPARAM lp) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "SysTreeView32") != 0) return TRUE;
    *reinterpret_cast<HWND*>(lp) = child;
    return FALSE;
}

HWND TreeOf(HWND dialog) {
    HWND tree = nullptr;
    EnumChildWindows(dialog, HasTree, reinterpret_cast<LPARAM>(&tree));
    return tree;
}

struct Search {
    bool folder;
    HWND found = nullptr;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<Search*>(lp);
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
    if (search->folder ? !TreeOf(hwnd) : !GetDlgItem(hwnd, kFileNameBox)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

BOOL CALLBACK CollectTexts(HWND child, LPARAM lp) {
    char cls[16] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0)
        reinterpret_cast<std::vector<std::string>*>(lp)->push_back(testsupport::WindowText(child));
    return TRUE;
}

// Sent with a bound: the dialog's thread answers from inside its own modal loop.
LRESULT Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hwnd, msg, wp, lp, SMTO_NORMAL, 5000, &result);
    return static_cast<LRESULT>(result);
}

std::string CaretText(HWND tree) {
    const auto item = reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return {};
    wchar_t text[MAX_PATH] = {};  // wide: 200 Japanese characters overflow MAX_PATH bytes of UTF-8
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = MAX_PATH;
    Send(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return testsupport::Narrow(text);
}

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(30);

}  // namespace

DialogDriver::DialogDriver(Kind kind, std::string path, std::string caretText, LPCITEMIDLIST item)
    : kind_(kind), uiThread_(GetCurrentThreadId()), path_(std::move(path)), caretText_(std::move(caretText)),
      item_(item) {
    thread_ = std::thread(&DialogDriver::Run, this);
}

DialogDriver::~DialogDriver() { Finish(); }

DialogDriver::Result DialogDriver::Finish() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return result_;
}

HWND DialogDriver::FindDialog() const {
    Search search{kind_ == Kind::Folder};
    EnumThreadWindows(uiThread_, Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void DialogDriver::Run() {
    const auto deadline = Clock::now() + kPatience;
    HWND dialog = nullptr;
    while (!stop_ && Clock::now() < deadline && !(dialog = FindDialog())) Sleep(20);
    if (!dialog) return;
    result_.found = true;
    EnumChildWindows(dialog, CollectTexts, reinterpret_cast<LPARAM>(&result_.texts));
    if (kind_ == Kind::File) {
        Sleep(100);  // the dialog fills its boxes after it shows; answer it after that
        result_.selected = !path_.empty() && Send(GetDlgItem(dialog, kFileNameBox), WM_SETTEXT, 0,
                                                  reinterpret_cast<LPARAM>(path_.c_str())) == TRUE;
    }
    // The folder tree fills and expands lazily: select again until the caret is there.
    const HWND tree = TreeOf(dialog);
    while (kind_ == Kind::Folder && (item_ || !path_.empty()) && !result_.selected && Clock::now() < deadline) {
        if (item_) Send(dialog, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(item_));
        else Send(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path_.c_str()));
        Sleep(100);
        result_.selected = CaretText(tree) == caretText_;
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(result_.selected ? IDOK : IDCANCEL, BN_CLICKED), 0);
}
