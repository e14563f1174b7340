#pragma once
// The places of a window's controls, kept in twips so the window can lay them
// out again when it moves to a screen of other dots per inch.
#include <windows.h>

#include <initializer_list>
#include <vector>

#include "platform/win/units.h"

class CTwipsLayout {
public:
    // Remembers where a control goes and which of the window's fonts it takes.
    void Add(HWND control, int left, int top, int width, int height, size_t font);
    // Moves every control to its place at `dpi` and gives it its font.
    void Apply(int dpi, std::initializer_list<HFONT> fonts) const;

private:
    struct Placed {
        HWND control;  // borrowed: a child, destroyed with its window
        int left, top, width, height;
        size_t font;
    };
    std::vector<Placed> m_controls;
};
