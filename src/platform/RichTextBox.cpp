#include "platform/RichTextBox.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win/late_bound.h"

namespace {

constexpr UINT kUtf16 = 1200;  // the code page of the control's wide text

// The text EM_STREAMIN reads, given as the control asks for it: whole
// characters, and never a CR without the LF that follows it (a control may
// take a CR that ends one piece and an LF that starts the next for two breaks).
struct StreamSource {
    std::wstring_view text;
    size_t done = 0;
    static DWORD CALLBACK Read(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
        auto* source = reinterpret_cast<StreamSource*>(cookie);
        const std::wstring_view rest = source->text.substr(source->done);
        size_t n = std::min(static_cast<size_t>(wanted > 0 ? wanted : 0) / sizeof(wchar_t), rest.size());
        if (n > 1 && n < rest.size() && (rest[n - 1] == L'\r' || (rest[n - 1] >= 0xD800 && rest[n - 1] <= 0xDBFF))) --n;
        std::memcpy(buffer, rest.data(), n * sizeof(wchar_t));
        source->done += n;
        *given = static_cast<LONG>(n * sizeof(wchar_t));
        return 0;
    }
};

// The positions plain text takes in the control: one a character, and one a
// line break, CR LF included.
long PositionsOf(std::wstring_view text) {
    size_t pairs = 0;
    for (size_t at = text.find(L"\r\n"); at != std::wstring_view::npos; at = text.find(L"\r\n", at + 2)) ++pairs;
    return static_cast<long>(text.size() - pairs);
}

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
    // Changes reach the note, which keeps a recovery copy of the text.
    SendMessageW(m_hwnd, EM_SETEVENTMASK, 0, ENM_CHANGE);
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

bool CRichTextBox::SetText(std::wstring_view text) {
    // All of the text is selected and the new text streamed in over the
    // selection, as plain Unicode text: no "{\rtf" start is read as rich text,
    // no NUL ends it, and replacing a selection is one step the user can undo.
    // Into an empty control with no history (a new note's first text) there is nothing to get back.
    const long oldLength = TextLength();
    const bool nothingToUndo = oldLength == 0 && !SendMessageW(m_hwnd, EM_CANUNDO, 0, 0);
    // A colour chosen while the control held text still lacks the default
    // format, and changing that costs in proportion to the text held: it
    // changes here while the old text is the shorter, else at the end.
    if (m_hasTextColor && static_cast<size_t>(oldLength) <= text.size() && !HasTextColor(SCF_DEFAULT))
        SetColor(SCF_DEFAULT, m_textColor);
    SetSelection(0, -1);
    // Text that replaces a selection takes its format: give the old text the
    // note's colour first (the new text then arrives in it, and one undo
    // still brings the old text back).
    if (m_hasTextColor && !HasTextColor()) SetSelColor(m_textColor);
    StreamSource source{text};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, &StreamSource::Read};
    SendMessageW(m_hwnd, EM_STREAMIN, SF_TEXT | SF_UNICODE | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));
    // The control must hold just the text given: never a part of it, and never
    // more (a line break read twice), shown as if it were the file.
    const bool whole = stream.dwError == 0 && source.done == text.size() && TextLength() == PositionsOf(text);
    if (!whole) SendMessageW(m_hwnd, EM_UNDO, 0, 0);  // the old text back
    if (nothingToUndo) SendMessageW(m_hwnd, EM_EMPTYUNDOBUFFER, 0, 0);
    if (m_hasTextColor) {
        SetSelection(0, -1);
        if (TextLength() > 0 && !HasTextColor()) SetSelColor(m_textColor);  // a control that ignored the format
    }
    SetSelection(0, 0);
    // Typing into an emptied note takes the insertion point's colour, not the
    // black of the paragraph mark; neither change is a step of the undo.
    if (m_hasTextColor) {
        if (!HasTextColor(SCF_DEFAULT)) SetColor(SCF_DEFAULT, m_textColor);
        if (TextLength() == 0) SetSelColor(m_textColor);
    }
    return whole;
}

void CRichTextBox::SetSelection(long start, long end) {
    CHARRANGE range{start, end};
    SendMessageW(m_hwnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

bool CRichTextBox::HasTextColor(WPARAM scope) const {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(m_hwnd, EM_GETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&format));
    return (format.dwMask & CFM_COLOR) && !(format.dwEffects & CFE_AUTOCOLOR) && format.crTextColor == m_textColor;
}

void CRichTextBox::SetColor(WPARAM scope, COLORREF color) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.crTextColor = color;  // dwEffects without CFE_AUTOCOLOR: the colour itself applies
    SendMessageW(m_hwnd, EM_SETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&format));
}

long CRichTextBox::TextLength() const {
    GETTEXTLENGTHEX len{GTL_PRECISE | GTL_NUMCHARS, kUtf16};
    const LRESULT n = SendMessageW(m_hwnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
    return n > 0 ? static_cast<long>(n) : 0;
}

void CRichTextBox::SetFont(HFONT font) {
    SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // The control gives every character the font's format, black text included.
    if (m_hasTextColor) ApplyTextColor();
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

void CRichTextBox::SetSelColor(COLORREF color) { SetColor(SCF_SELECTION, color); }

void CRichTextBox::SetTextColor(COLORREF color) {
    m_hasTextColor = true;
    m_textColor = color;
    // The default format is only cheap to change on an empty control; otherwise
    // the next SetText applies the colour.
    if (TextLength() == 0) ApplyTextColor();
}

void CRichTextBox::ApplyTextColor() {
    // The default format serves text set as a whole, the paragraph mark typed text.
    SetColor(SCF_DEFAULT, m_textColor);
    SetColor(SCF_ALL, m_textColor);
}

bool CRichTextBox::Move(int left, int top, int width, int height) {
    if (width < 0 || height < 0) return false;
    return MoveWindow(m_hwnd, left, top, width, height, TRUE) != FALSE;
}

LRESULT CRichTextBox::FormatRange(WPARAM wParam, FORMATRANGE* range) {
    return SendMessageW(m_hwnd, EM_FORMATRANGE, wParam, reinterpret_cast<LPARAM>(range));
}
