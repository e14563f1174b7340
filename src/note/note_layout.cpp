#include "note/note_layout.h"

NoteLayout ComputeNoteLayout(int W, int H, int dpi) {
    auto s = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
    NoteLayout l;
    l.TitleRect = {s(20), s(1), W - s(39), s(1) + s(16)};
    l.MenuIconRect = {s(1), s(1), s(18), s(1) + s(16)};
    l.MinRect = {W - s(15) - s(25), s(1), W - s(15), s(1) + s(16)};
    l.CloseRect = {W - s(1) - s(18), s(1), W - s(1), s(1) + s(16)};
    l.DateRect = {0, H - s(18), W, H};
    // The grip is the date strip's right end, 14 pixels wide, 4 pixels lower.
    l.SizeGripRect = l.DateRect;
    l.SizeGripRect.left = l.SizeGripRect.right - s(14);
    l.SizeGripRect.top += s(4);
    l.textLeft = s(10);
    l.textTop = l.TitleRect.bottom + s(5);
    l.textWidth = W - s(15);
    l.textHeight = l.DateRect.top - l.TitleRect.bottom - s(10);
    return l;
}
