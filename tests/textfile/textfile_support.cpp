#include "textfile/textfile_support.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "platform/win/handles.h"

namespace tf {

TestFolder::TestFolder(std::string_view name, std::string_view root)
    : path_(std::string(root) + "\\" + std::string(name)) {
    CreateDirectoryA(std::string(root).c_str(), nullptr);
    RemoveTree(path_);
    if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + path_);
}

TestFolder::~TestFolder() { RemoveTree(path_); }

void RemoveTree(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    for (const std::string& name : Entries(path)) RemoveTree(path + "\\" + name);
    RemoveDirectoryA(path.c_str());
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    const unique_hfile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD wrote = 0;
    if (!file ||
        !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) ||
        wrote != bytes.size())
        throw std::runtime_error("cannot write " + path);
}

std::string ReadBytes(const std::string& path, bool* found) {
    const unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (found) *found = static_cast<bool>(file);
    if (!file) return {};
    std::string bytes;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    return bytes;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data{};
    const unique_hfind find(FindFirstFileA((folder + "\\*").c_str(), &data));
    if (!find) return names;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find.get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}

std::string DisplayName(const std::string& path) {
    SHFILEINFOA info{};
    SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME);
    return info.szDisplayName;
}

std::string DisplayName(LPCITEMIDLIST item) {
    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(item), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
    return info.szDisplayName;
}

namespace {

struct DialogSearch {
    HWND dialog = nullptr;
};

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

BOOL CALLBACK FindFolderDialog(HWND hwnd, LPARAM lp) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(hwnd) || !TreeOf(hwnd)) return TRUE;
    reinterpret_cast<DialogSearch*>(lp)->dialog = hwnd;
    return FALSE;
}

BOOL CALLBACK CollectTexts(HWND child, LPARAM lp) {
    char cls[16] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0) {
        char text[512] = {};
        GetWindowTextA(child, text, sizeof text);
        reinterpret_cast<std::vector<std::string>*>(lp)->push_back(text);
    }
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
    char text[MAX_PATH] = {};
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    Send(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

}  // namespace

PickerDriver::PickerDriver(DWORD uiThread, std::string path, std::string caretText, LPCITEMIDLIST item, bool cancel)
    : uiThread_(uiThread), path_(std::move(path)), caretText_(std::move(caretText)), item_(item), cancel_(cancel) {
    thread_ = std::thread(&PickerDriver::Run, this);
}

PickerDriver::~PickerDriver() {
    if (thread_.joinable()) thread_.join();
}

PickerDriver::Result PickerDriver::Finish() {
    if (thread_.joinable()) thread_.join();
    return result_;
}

void PickerDriver::Run() {
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::seconds(30);
    DialogSearch search;
    while (!search.dialog && clock::now() < deadline) {
        EnumThreadWindows(uiThread_, FindFolderDialog, reinterpret_cast<LPARAM>(&search));
        if (!search.dialog) Sleep(50);
    }
    if (!search.dialog) return;
    Result& result = result_;
    result.found = true;
    EnumChildWindows(search.dialog, CollectTexts, reinterpret_cast<LPARAM>(&result.texts));
    if (!cancel_) {
        const HWND tree = TreeOf(search.dialog);
        // The tree fills and expands lazily: select again until the caret is there.
        while (clock::now() < deadline) {
            if (item_) Send(search.dialog, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(item_));
            else Send(search.dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path_.c_str()));
            Sleep(100);
            if (CaretText(tree) == caretText_) {
                result.selected = true;
                break;
            }
        }
    }
    PostMessageA(search.dialog, WM_COMMAND, MAKEWPARAM(result.selected ? IDOK : IDCANCEL, BN_CLICKED), 0);
}

}  // namespace tf
