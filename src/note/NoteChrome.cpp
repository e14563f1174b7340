// The note's painted chrome: the title strip with its icons, the date line, the
// separator and the size grip, and the layout that places them.
#include <utility>

#include "note/COutlookNote.h"
#include "note/note_layout.h"
#include "platform/text/ansi_text.h"
#include "platform/text/user_dates.h"

namespace {

constexpr COLORREF kForeColor = 0x0000FFFF;  // the window's fixed foreground: yellow
constexpr COLORREF kDateTextColor = 0x00FFFF00;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER;

RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

void DrawIconAt(HDC dc, HICON icon, int x, int y, int size) {
    if (icon) DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
}

bool HasArea(const RECT& r) { return r.right > r.left && r.bottom > r.top; }

void DrawLine(HDC dc, RECT r, const std::string& text, int leftMargin) {
    if (!HasArea(r)) return;  // a strip squeezed to nothing shows no text
    DRAWTEXTPARAMS margins{sizeof(DRAWTEXTPARAMS), 0, leftMargin, 0, 0};
    // Wide: Windows draws narrow text in the system's code page, not in the program's UTF-8.
    std::wstring wide = ui::FromNarrow(text);
    DrawTextExW(dc, wide.data(), static_cast<int>(wide.size()), &r, kTextFormat, &margins);
}

}  // namespace

void COutlookNote::OnSize() {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const NoteLayout layout = ComputeNoteLayout(client.right, client.bottom, m_dpi);
    TitleRect = layout.TitleRect;
    MenuIconRect = layout.MenuIconRect;
    MinRect = layout.MinRect;
    CloseRect = layout.CloseRect;
    DateRect = layout.DateRect;
    SizeGripRect = layout.SizeGripRect;
    rtbMain.Move(layout.textLeft, layout.textTop, layout.textWidth, layout.textHeight);
}

std::string COutlookNote::DateLineText() const {
    const std::string date = ui::LongDateText(ui::Now());  // date and time each read the clock
    return date + " " + ui::FormatTime("- h:mm AM/PM", ui::Now());
}

void COutlookNote::OnPaint() {
    PAINTSTRUCT ps{};
    const HDC dc = BeginPaint(m_hwnd, &ps);
    if (dc) PaintChrome(dc);
    EndPaint(m_hwnd, &ps);
}

void COutlookNote::PaintChrome(HDC dc) {
    const scoped_select font(dc, m_font.get());
    // Transparent text: the title reads on the caption colour, the date on the note's colour.
    SetBkMode(dc, TRANSPARENT);
    const RECT title = ToRECT(TitleRect);
    // GDI fills an inverted rectangle too; a note too narrow for its strip shows none.
    // The system's own caption brush: shared, never deleted.
    if (HasArea(title)) FillRect(dc, &title, GetSysColorBrush(COLOR_ACTIVECAPTION));
    DrawIconAt(dc, NoteIcon.get(), MenuIconRect.left, MenuIconRect.top, Scale(16));
    DrawIconAt(dc, CloseIcon.get(), CloseRect.left + Scale(1), CloseRect.top, Scale(16));
    DrawIconAt(dc, MinIcon.get(), MinRect.left + Scale(3), MinRect.top, Scale(16));
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    DrawLine(dc, ToRECT(TitleRect), TitleText, Scale(3));
    SetTextColor(dc, kDateTextColor);
    if (std::string date = DateLineText(); date != m_dateShown) {
        m_dateShown = std::move(date);
        // A screen reader keeps the names it has read; tell it this one changed.
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_hwnd, OBJID_CLIENT, kDateLineChild);
    }
    DrawLine(dc, ToRECT(DateRect), m_dateShown, Scale(3));
    DrawIconAt(dc, SizeGripIcon.get(), SizeGripRect.left, SizeGripRect.top, Scale(12));
    const unique_hpen pen(CreatePen(PS_SOLID, Scale(1), kForeColor));
    if (pen) {
        const scoped_select selected(dc, pen.get());
        // LineTo leaves out its end point; one step further draws both ends.
        const int from = DateRect.left + Scale(5), to = DateRect.right - Scale(5);
        MoveToEx(dc, from, DateRect.top, nullptr);
        LineTo(dc, to + (to >= from ? 1 : -1), DateRect.top);
    }
}
