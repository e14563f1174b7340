#pragma once
// Where the note's painted chrome and its text area go for a client size.
#include "note/modMain.h"
#include "platform/win/units.h"

struct NoteLayout {
    Rect TitleRect, MenuIconRect, MinRect, CloseRect, DateRect, SizeGripRect;
    // The text area's left, top, width and height; width or height may be
    // negative for a tiny client area, in which case the control is not moved.
    int textLeft = 0, textTop = 0, textWidth = 0, textHeight = 0;
};

// The layout at 96 dots per inch, or with every length scaled for `dpi`.
NoteLayout ComputeNoteLayout(int clientWidth, int clientHeight, int dpi = 96);
