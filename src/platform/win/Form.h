#pragma once
// What the program's two dialog windows share: their controls made from a
// table, one row per control in tab order, placed in twips so they can be laid
// out again at another scale, coloured as their rows say, and the control that
// had the focus kept while the window is left.
#include <windows.h>

#include <initializer_list>
#include <span>
#include <vector>

#include "platform/win/handles.h"
#include "platform/win/units.h"

// A colour of the system's (a GetSysColor index) or a fixed one.
struct Shade {
    bool system = false;
    COLORREF value = 0;
    COLORREF Resolve() const { return system ? GetSysColor(static_cast<int>(value)) : value; }
};
inline constexpr Shade SystemShade(int index) { return {true, static_cast<COLORREF>(index)}; }
inline constexpr Shade FixedShade(COLORREF color) { return {false, color}; }

class CForm {
public:
    struct Row {
        HWND* control;  // the window's member that holds the control
        const wchar_t* cls;
        const wchar_t* text;
        DWORD style;  // besides WS_CHILD | WS_VISIBLE
        DWORD exStyle;
        int id;
        int left, top, width, height;  // twips
        int font;                      // index into the window's fonts
        Shade ink{}, paper{};
        bool painted = false;  // drawn in the two shades above instead of the system's
    };

    // Makes the rows' controls in order (their z-order is the order Tab
    // follows), each placed at `dpi` with its font; false when one could not be made.
    bool Create(HWND window, int dpi, std::span<const Row> rows, std::initializer_list<HFONT> fonts);
    // Places every control again at `dpi` and gives it its font.
    void Relayout(int dpi, std::initializer_list<HFONT> fonts) const;
    // The brush of a painted control for its WM_CTLCOLOR* message, its shades
    // set on `dc`; null for a control the system draws.
    HBRUSH Paint(HWND control, HDC dc);
    // Remembers the window's focused control as the window is left; the control
    // to give the focus back to, null when there is none.
    void Leave(HWND window);
    HWND LastFocus() const;
    // Forgets the controls, setting their members back to null: the window is gone.
    void Clear();

private:
    struct Made {
        HWND hwnd;  // borrowed: a child, destroyed with its window
        Row row;
        unique_hbrush brush;  // a painted control's paper
    };
    std::vector<Made> m_made;
    HWND m_focus = nullptr;  // borrowed
};
