#include "platform/print/print_pages.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/RichTextBox.h"
#include "platform/print/print_layout.h"
#include "platform/win/units.h"

namespace print_pages {

namespace {

// GetFontData's tag of the table that marks an OpenType font with CFF outlines,
// which Wine's PostScript driver cannot embed.
constexpr DWORD kCffTable = 'C' | ('F' << 8) | ('F' << 16) | (' ' << 24);
constexpr wchar_t kFallbackFace[] = L"Tahoma";  // TrueType, and shipped with Wine
constexpr LONG kDefaultHeight = 165;            // 8.25 points in twips

// The face selected into `dc` is the one asked for, with TrueType outlines.
bool SelectedFaceIs(HDC dc, const wchar_t* face) {
    wchar_t selected[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, selected);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    return lstrcmpiW(selected, face) == 0 && (tm.tmPitchAndFamily & TMPF_TRUETYPE) &&
           GetFontData(dc, kCffTable, 0, nullptr, 0) == GDI_ERROR;
}

// `format`'s font at the device's resolution; a face that the device lacks or
// that has CFF outlines gives way to a TrueType face.
unique_hfont CreateDeviceFont(const CHARFORMAT2W& format, HDC dc) {
    LOGFONTW lf{};
    const LONG height = (format.dwMask & CFM_SIZE) && format.yHeight > 0 ? format.yHeight : kDefaultHeight;
    lf.lfHeight = -std::max(1, TwipsToPixels(height, GetDeviceCaps(dc, LOGPIXELSY)));
    const bool bold = (format.dwMask & CFM_BOLD) && (format.dwEffects & CFE_BOLD);
    lf.lfWeight = (format.dwMask & CFM_WEIGHT) && format.wWeight ? format.wWeight : bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (format.dwMask & CFM_ITALIC) && (format.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    lstrcpynW(lf.lfFaceName, (format.dwMask & CFM_FACE) && format.szFaceName[0] ? format.szFaceName : kFallbackFace,
              LF_FACESIZE);
    unique_hfont font(CreateFontIndirectW(&lf));
    bool usable = false;
    {
        const scoped_select selected(dc, font.get());
        usable = SelectedFaceIs(dc, lf.lfFaceName);
    }
    if (!usable) {
        lstrcpynW(lf.lfFaceName, kFallbackFace, LF_FACESIZE);
        font.reset(CreateFontIndirectW(&lf));
    }
    return font;
}

// The control's whole text in its own positions (a paragraph break is one
// character), tabs as spaces.
std::wstring ControlText(HWND control, long length) {
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    TEXTRANGEW range{{0, length}, text.data()};
    const LRESULT got = SendMessageW(control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, length)));
    std::replace(text.begin(), text.end(), L'\t', L' ');
    return text;
}

// The control's one font: the default format, which the note's font sets for
// all of its text (reading a character's own format would move the selection).
CHARFORMAT2W ControlFont(HWND control) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(control, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    return format;
}

// A hidden copy of the note's text area, laid out in place of the control so
// that the screen, the control's text and its colours stay as they are, and
// whose text is black for the white paper.
class PrintCopy final : public modPrintRTB::FormatRangeControl {
public:
    explicit PrintCopy(CRichTextBox& source) : m_source(source) {
        const HWND parent = GetParent(source.hWnd());
        const auto font = reinterpret_cast<HFONT>(SendMessageW(source.hWnd(), WM_GETFONT, 0, 0));
        if (!parent || !m_copy.Create(parent, 0, font)) return;
        ShowWindow(m_copy.hWnd(), SW_HIDE);
        // RTF sets only what differs from the reader's default, which may be bold.
        CHARFORMAT2W plain{};
        plain.cbSize = sizeof plain;
        plain.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_WEIGHT;
        plain.wWeight = FW_NORMAL;
        SendMessageW(m_copy.hWnd(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&plain));
        SendMessageW(m_copy.hWnd(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&plain));
        if (!CopyRichText(source.hWnd(), m_copy.hWnd()) || m_copy.TextLength() != source.TextLength())
            m_copy.SetText(source.Text());
        CHARFORMAT2W black{};
        black.cbSize = sizeof black;
        black.dwMask = CFM_COLOR | CFM_BACKCOLOR;
        black.crTextColor = RGB(0, 0, 0);
        black.dwEffects = CFE_AUTOBACKCOLOR;
        SendMessageW(m_copy.hWnd(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&black));
        m_ready = true;
    }
    ~PrintCopy() override {
        if (m_copy.hWnd()) DestroyWindow(m_copy.hWnd());
    }
    PrintCopy(const PrintCopy&) = delete;
    PrintCopy& operator=(const PrintCopy&) = delete;

    // Without a copy (a control with no parent window) the control itself is printed.
    long TextLength() override { return m_ready ? m_copy.TextLength() : m_source.TextLength(); }
    LRESULT FormatRange(WPARAM wParam, FORMATRANGE* range) override {
        return m_ready ? m_copy.FormatRange(wParam, range) : m_source.FormatRange(wParam, range);
    }

private:
    static DWORD CALLBACK Out(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* done) {
        reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
        *done = count;
        return 0;
    }
    struct Reader {
        const std::string* text;
        size_t at;
    };
    static DWORD CALLBACK In(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* done) {
        auto* r = reinterpret_cast<Reader*>(cookie);
        const size_t n = std::min(static_cast<size_t>(count), r->text->size() - r->at);
        std::copy_n(r->text->data() + r->at, n, bytes);
        r->at += n;
        *done = static_cast<LONG>(n);
        return 0;
    }
    // The formatted text of `from` into `to`, through RTF.
    static bool CopyRichText(HWND from, HWND to) {
        std::string rtf;
        EDITSTREAM out{reinterpret_cast<DWORD_PTR>(&rtf), 0, &PrintCopy::Out};
        SendMessageW(from, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&out));
        if (out.dwError != 0 || rtf.empty()) return false;
        Reader reader{&rtf, 0};
        EDITSTREAM in{reinterpret_cast<DWORD_PTR>(&reader), 0, &PrintCopy::In};
        SendMessageW(to, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&in));
        return in.dwError == 0;
    }

    CRichTextBox& m_source;
    CRichTextBox m_copy;  // its window is destroyed with this object
    bool m_ready = false;
};

}  // namespace

// ---------------------------------------------------------------------------

GdiPages::GdiPages(std::wstring text, const CHARFORMAT2W& format) : m_text(std::move(text)), m_format(format) {}

void GdiPages::PrepareFont(HDC dc) {
    if (m_font && dc == m_fontDc) return;
    m_font = CreateDeviceFont(m_format, dc);
    m_fontDc = dc;
    const scoped_select selected(dc, m_font.get());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    m_lineHeight = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
}

LRESULT GdiPages::FormatRange(WPARAM wParam, FORMATRANGE* range) {
    if (!range) {
        m_font.reset();
        m_fontDc = nullptr;
        return 0;
    }
    const long length = TextLength();
    const long first = range->chrg.cpMin;
    const long end = range->chrg.cpMax < 0 || range->chrg.cpMax > length ? length : range->chrg.cpMax;
    const HDC dc = range->hdc;  // borrowed from the caller
    if (!dc || first < 0 || first >= end) return first;
    PrepareFont(dc);

    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    const RECT box{TwipsToPixels(range->rc.left, dpiX),
                   TwipsToPixels(range->rc.top, dpiY),
                   TwipsToPixels(range->rc.right, dpiX),
                   TwipsToPixels(range->rc.bottom, dpiY)};
    const std::wstring_view text = std::wstring_view(m_text).substr(0, static_cast<size_t>(end));
    print_layout::PageLayout page;
    const int saved = SaveDC(dc);
    SetMapMode(dc, MM_TEXT);
    {
        const scoped_select selected(dc, m_font.get());
        const print_layout::FitFunction fit = [dc](std::wstring_view run, int width) -> size_t {
            INT fits = 0;
            SIZE size{};
            if (!GetTextExtentExPointW(dc, run.data(), static_cast<int>(run.size()), width, &fits, nullptr, &size))
                return 0;
            return static_cast<size_t>(std::max(fits, 0));
        };
        page = print_layout::LayOutPage(text, static_cast<size_t>(first), box.right - box.left, box.bottom - box.top,
                                        m_lineHeight, fit);
        if (wParam != 0) {
            SetTextColor(dc, RGB(0, 0, 0));  // printed on white paper, whatever the screen shows
            SetBkMode(dc, TRANSPARENT);
            SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
            int y = box.top;
            for (const print_layout::PageLine& line : page.lines) {
                if (line.length > 0)
                    ExtTextOutW(dc, box.left, y, ETO_CLIPPED, &box, text.data() + line.start,
                                static_cast<UINT>(line.length), nullptr);
                y += m_lineHeight;
            }
        }
    }
    RestoreDC(dc, saved);
    return static_cast<LRESULT>(page.next);
}

// ---------------------------------------------------------------------------

NotePages::NotePages(CRichTextBox& note) : m_note(note), m_length(note.TextLength()) {}

NotePages::~NotePages() = default;

LRESULT NotePages::FormatRange(WPARAM wParam, FORMATRANGE* range) {
    if (!range) return m_pages ? m_pages->FormatRange(0, nullptr) : 0;
    if (!m_pages) {
        // Measuring the first page on the note itself draws nothing and changes nothing on the screen.
        FORMATRANGE probe = *range;
        const bool controlLaysOut = m_length > 0 && m_note.FormatRange(0, &probe) > range->chrg.cpMin;
        m_note.FormatRange(0, nullptr);  // frees what the measure cached
        if (controlLaysOut) {
            m_pages = std::make_unique<PrintCopy>(m_note);
        } else {
            m_pages = std::make_unique<GdiPages>(ControlText(m_note.hWnd(), m_length), ControlFont(m_note.hWnd()));
        }
    }
    return m_pages->FormatRange(wParam, range);
}

}  // namespace print_pages
