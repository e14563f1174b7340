#include "platform/RichTextBox.h"

#include <richedit.h>

#include <algorithm>
#include <string>

#include "platform/handles.h"
#include "platform/late_loading.h"
#include "platform/print_layout.h"

namespace {

constexpr UINT kUtf16 = 1200;  // the code page of the control's wide text

// The rich edit DLL stays loaded for the life of the process once a control exists.
const wchar_t* RichEditClass() {
    late::Library("Msftedit.dll");
    return MSFTEDIT_CLASS;
}

}  // namespace

bool CRichTextBox::Create(HWND parent, int id, HFONT font) {
    m_hwnd = CreateWindowExW(0, RichEditClass(), L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                                 ES_NOHIDESEL,
                             0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
    if (!m_hwnd) return false;
    // No text limit: a note is never cut short.
    SendMessageW(m_hwnd, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(m_hwnd, EM_SETEVENTMASK, 0, 0);
    return true;
}

std::wstring CRichTextBox::Text() const {
    GETTEXTLENGTHEX len{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, kUtf16};
    const LRESULT n = SendMessageW(m_hwnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = GT_USECRLF;
    get.codepage = kUtf16;
    const LRESULT got = SendMessageW(m_hwnd, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

void CRichTextBox::SetText(std::wstring_view text) {
    const std::wstring copy(text);
    SETTEXTEX set{ST_DEFAULT, kUtf16};
    if (m_hasTextColor) {
        // New text would otherwise come in the control's default black, unreadable
        // on a dark note. Colouring the emptied control first costs nothing, and
        // the text then arrives in that colour without a second pass over it.
        SendMessageW(m_hwnd, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set), reinterpret_cast<LPARAM>(L""));
        ApplyTextColorWhileEmpty();
        if (copy.empty()) return;
    }
    SendMessageW(m_hwnd, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set), reinterpret_cast<LPARAM>(copy.c_str()));
}

long CRichTextBox::TextLength() const {
    GETTEXTLENGTHEX len{GTL_PRECISE | GTL_NUMCHARS, kUtf16};
    const LRESULT n = SendMessageW(m_hwnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
    return n > 0 ? static_cast<long>(n) : 0;
}

void CRichTextBox::SetBackColor(COLORREF color) { SendMessageW(m_hwnd, EM_SETBKGNDCOLOR, 0, color); }

void CRichTextBox::SetSelStart(long position) {
    CHARRANGE range{position, position};
    SendMessageW(m_hwnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void CRichTextBox::SetSelLength(long length) {
    CHARRANGE range{};
    SendMessageW(m_hwnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    range.cpMax = range.cpMin + (length < 0 ? 0 : length);
    SendMessageW(m_hwnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

long CRichTextBox::SelStart() const {
    CHARRANGE range{};
    SendMessageW(m_hwnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMin;
}

long CRichTextBox::SelLength() const {
    CHARRANGE range{};
    SendMessageW(m_hwnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMax - range.cpMin;
}

void CRichTextBox::SetSelColor(COLORREF color) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.crTextColor = color;  // dwEffects without CFE_AUTOCOLOR: the colour itself applies
    SendMessageW(m_hwnd, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

void CRichTextBox::SetTextColor(COLORREF color) {
    m_hasTextColor = true;
    m_textColor = color;
    // The default format is only cheap to change on an empty control; otherwise
    // the next SetText applies the colour.
    if (TextLength() == 0) ApplyTextColorWhileEmpty();
}

void CRichTextBox::ApplyTextColorWhileEmpty() {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.crTextColor = m_textColor;
    // The default format serves text set as a whole, the paragraph mark typed text.
    SendMessageW(m_hwnd, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    SendMessageW(m_hwnd, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

bool CRichTextBox::Move(int left, int top, int width, int height) {
    if (width < 0 || height < 0) return false;
    return MoveWindow(m_hwnd, left, top, width, height, TRUE) != FALSE;
}

namespace {

// GetFontData's tag of the table that marks an OpenType font with CFF outlines,
// which Wine's PostScript driver cannot embed.
constexpr DWORD kCffTable = 'C' | ('F' << 8) | ('F' << 16) | (' ' << 24);
constexpr wchar_t kFallbackFace[] = L"Tahoma";  // TrueType, and shipped with Wine

// The face selected into `dc` is the one asked for, with TrueType outlines.
bool SelectedFaceIs(HDC dc, const wchar_t* face) {
    wchar_t selected[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, selected);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    return lstrcmpiW(selected, face) == 0 && (tm.tmPitchAndFamily & TMPF_TRUETYPE) &&
           GetFontData(dc, kCffTable, 0, nullptr, 0) == GDI_ERROR;
}

// The font of the character at `position`, read through a selection that is
// put back at once (the control's default format need not be its text's font).
CHARFORMAT2W FontAt(HWND control, long position) {
    CHARRANGE saved{};
    SendMessageW(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    CHARRANGE one{position, position + 1};
    SendMessageW(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(control, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SendMessageW(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    return format;
}

// The font of the page's first character at the device's resolution; a face
// that the device lacks or that has CFF outlines gives way to a TrueType face.
unique_hfont CreateDeviceFont(HWND control, long position, HDC dc) {
    const CHARFORMAT2W format = FontAt(control, position);
    LOGFONTW lf{};
    const LONG height = (format.dwMask & CFM_SIZE) && format.yHeight > 0 ? format.yHeight : 165;  // else 8.25 points
    lf.lfHeight = -std::max(1, print_layout::PixelsFromTwips(height, GetDeviceCaps(dc, LOGPIXELSY)));
    const bool bold = (format.dwMask & CFM_BOLD) && (format.dwEffects & CFE_BOLD);
    lf.lfWeight = (format.dwMask & CFM_WEIGHT) && format.wWeight ? format.wWeight : bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (format.dwMask & CFM_ITALIC) && (format.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    lstrcpynW(lf.lfFaceName, (format.dwMask & CFM_FACE) && format.szFaceName[0] ? format.szFaceName : kFallbackFace,
              LF_FACESIZE);
    unique_hfont font(CreateFontIndirectW(&lf));
    const HGDIOBJ old = SelectObject(dc, font.get());
    const bool usable = SelectedFaceIs(dc, lf.lfFaceName);
    SelectObject(dc, old);
    if (!usable) {
        lstrcpynW(lf.lfFaceName, kFallbackFace, LF_FACESIZE);
        font.reset(CreateFontIndirectW(&lf));
    }
    return font;
}

// The control's characters [first, last) in its own positions (a paragraph
// break is one character), tabs as spaces.
std::wstring TextRange(HWND control, long first, long last) {
    std::wstring text(static_cast<size_t>(last - first) + 1, L'\0');
    TEXTRANGEW range{{first, last}, text.data()};
    const LRESULT got = SendMessageW(control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, last - first)));
    std::replace(text.begin(), text.end(), L'\t', L' ');
    return text;
}

// Lays out (and with `render` draws) the characters [first, end) from the top
// of fr.rc; returns the first position that did not fit.
LRESULT LayOutWithGdi(HWND control, bool render, const FORMATRANGE& fr, long first, long end) {
    const HDC dc = fr.hdc;  // borrowed from the caller
    if (!dc) return first;
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    const RECT box{print_layout::PixelsFromTwips(fr.rc.left, dpiX), print_layout::PixelsFromTwips(fr.rc.top, dpiY),
                   print_layout::PixelsFromTwips(fr.rc.right, dpiX),
                   print_layout::PixelsFromTwips(fr.rc.bottom, dpiY)};
    const int saved = SaveDC(dc);
    SetMapMode(dc, MM_TEXT);
    const unique_hfont font = CreateDeviceFont(control, first, dc);
    SelectObject(dc, font.get());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    const int lineHeight = tm.tmHeight + tm.tmExternalLeading;
    const print_layout::FitFunction fit = [dc](std::wstring_view run, int width) -> size_t {
        INT fits = 0;
        SIZE size{};
        if (!GetTextExtentExPointW(dc, run.data(), static_cast<int>(run.size()), width, &fits, nullptr, &size))
            return 0;
        return static_cast<size_t>(std::max(fits, 0));
    };

    // A page holds far fewer characters than the first window; a larger one is
    // fetched only when the page reached the window's end.
    long window = 65536;
    std::wstring text;
    print_layout::PageLayout page;
    for (;;) {
        const long last = end - first > window ? first + window : end;
        text = TextRange(control, first, last);
        page = print_layout::LayOutPage(text, 0, box.right - box.left, box.bottom - box.top, lineHeight, fit);
        if (page.next < text.size() || last >= end) break;
        window *= 4;
    }
    if (render) {
        SetTextColor(dc, RGB(0, 0, 0));  // printed on white paper, whatever the screen shows
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        int y = box.top;
        for (const print_layout::PageLine& line : page.lines) {
            if (line.length > 0)
                ExtTextOutW(dc, box.left, y, ETO_CLIPPED, &box, text.data() + line.start,
                            static_cast<UINT>(line.length), nullptr);
            y += lineHeight;
        }
    }
    RestoreDC(dc, saved);
    return first + static_cast<LRESULT>(page.next);
}

}  // namespace

LRESULT CRichTextBox::FormatRange(WPARAM wParam, FORMATRANGE* range) {
    const LRESULT laidOut = SendMessageW(m_hwnd, EM_FORMATRANGE, wParam, reinterpret_cast<LPARAM>(range));
    if (!range) return laidOut;
    const long length = TextLength();
    const long first = range->chrg.cpMin;
    const long end = range->chrg.cpMax < 0 || range->chrg.cpMax > length ? length : range->chrg.cpMax;
    if (laidOut > first || first < 0 || first >= end) return laidOut;
    // The control made no progress on a non-empty range: it cannot lay out here.
    return LayOutWithGdi(m_hwnd, wParam != 0, *range, first, end);
}
