#include "note/note_layout.h"

NoteLayout ComputeNoteLayout(int W, int H) {
    NoteLayout l;
    l.TitleRect = {20, 1, W - 39, 1 + 16};
    l.MenuIconRect = {1, 1, 18, 1 + 16};
    l.MinRect = {W - 15 - 25, 1, W - 15, 1 + 16};
    l.CloseRect = {W - 1 - 18, 1, W - 1, 1 + 16};
    l.DateRect = {0, H - 18, W, H};
    // The grip is the date strip's right end, 14 pixels wide, 4 pixels lower.
    l.SizeGripRect = l.DateRect;
    l.SizeGripRect.left = l.SizeGripRect.right - 14;
    l.SizeGripRect.top += 4;
    l.textLeft = 10;
    l.textTop = l.TitleRect.bottom + 5;
    l.textWidth = W - 15;
    l.textHeight = l.DateRect.top - l.TitleRect.bottom - 10;
    return l;
}
