#include "platform/win/TwipsLayout.h"

void CTwipsLayout::Add(HWND control, int left, int top, int width, int height, size_t font) {
    m_controls.push_back({control, left, top, width, height, font});
}

void CTwipsLayout::Apply(int dpi, std::initializer_list<HFONT> fonts) const {
    for (const Placed& p : m_controls) {
        MoveWindow(p.control, TwipsToPixels(p.left, dpi), TwipsToPixels(p.top, dpi), TwipsToPixels(p.width, dpi),
                   TwipsToPixels(p.height, dpi), TRUE);
        if (p.font < fonts.size())
            SendMessageW(p.control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.begin()[p.font]), TRUE);
    }
}
