#include "platform/win/Form.h"

#include "platform/win/program_windows.h"

bool CForm::Create(HWND window, int dpi, std::span<const Row> rows, std::initializer_list<HFONT> fonts) {
    bool all = true;
    for (const Row& row : rows) {
        // Wide controls: the note's text passes through them without loss.
        const HWND child = CreateWindowExW(row.exStyle, row.cls, row.text, WS_CHILD | WS_VISIBLE | row.style, 0, 0, 0, 0,
                                           window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                           ui::ProgramInstance(), nullptr);
        *row.control = child;
        if (!child) {
            all = false;
            continue;
        }
        m_made.push_back({child, row, unique_hbrush(row.painted ? CreateSolidBrush(row.paper.Resolve()) : nullptr)});
    }
    Relayout(dpi, fonts);
    return all;
}

void CForm::Relayout(int dpi, std::initializer_list<HFONT> fonts) const {
    for (const Made& m : m_made) {
        const Row& r = m.row;
        MoveWindow(m.hwnd, TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi), TwipsToPixels(r.width, dpi),
                   TwipsToPixels(r.height, dpi), TRUE);
        if (r.font >= 0 && static_cast<size_t>(r.font) < fonts.size())
            SendMessageW(m.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.begin()[r.font]), TRUE);
    }
}

HBRUSH CForm::Paint(HWND control, HDC dc) {
    for (const Made& m : m_made) {
        if (!m.brush) continue;
        // A drop-down box asks for its edit field, a child, and for its list, a window of its own.
        COMBOBOXINFO combo{};
        combo.cbSize = sizeof combo;
        const bool list = GetComboBoxInfo(m.hwnd, &combo) && combo.hwndList == control;
        if (m.hwnd != control && !IsChild(m.hwnd, control) && !list) continue;
        SetTextColor(dc, m.row.ink.Resolve());
        SetBkColor(dc, m.row.paper.Resolve());
        return m.brush.get();
    }
    return nullptr;
}

void CForm::Leave(HWND window) {
    // A plain window forgets its focused control when it is left.
    const HWND focus = GetFocus();
    if (focus && IsChild(window, focus)) m_focus = focus;
}

HWND CForm::LastFocus() const { return m_focus && IsWindow(m_focus) ? m_focus : nullptr; }

void CForm::Clear() {
    for (const Made& m : m_made) *m.row.control = nullptr;
    m_made.clear();
    m_focus = nullptr;
}
