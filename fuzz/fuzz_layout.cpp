// The note's layout and hit tests over every client size and point.
#include "fuzz_input.h"
#include "note/modMain.h"
#include "note/note_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const int w = input.TakeInRange(-100, 40000);
    const int h = input.TakeInRange(-100, 40000);
    const double x = input.Take<double>();
    const double y = input.Take<double>();
    const NoteLayout l = ComputeNoteLayout(w, h);
    FUZZ_CHECK(l.TitleRect.left == 20 && l.TitleRect.right == w - 39 && l.TitleRect.bottom == 17);
    FUZZ_CHECK(l.MinRect.right - l.MinRect.left == 25 && l.CloseRect.right - l.CloseRect.left == 18);
    FUZZ_CHECK(l.SizeGripRect.right == l.DateRect.right && l.SizeGripRect.bottom == l.DateRect.bottom);
    FUZZ_CHECK(l.SizeGripRect.right - l.SizeGripRect.left == 14 && l.SizeGripRect.top == l.DateRect.top + 4);
    FUZZ_CHECK(l.textLeft + l.textWidth == w - 5 && l.textTop == 22 && l.textTop + l.textHeight == h - 23);

    const std::int16_t px = modMain::ToNearestInt16(x), py = modMain::ToNearestInt16(y);
    if (x == x && x > -32768.0 && x < 32767.0) FUZZ_CHECK(px - x <= 0.5 && x - px <= 0.5);
    for (const Rect& r : {l.TitleRect, l.MenuIconRect, l.MinRect, l.CloseRect, l.DateRect, l.SizeGripRect}) {
        const bool inside = modMain::IsPointInRect(px, py, r);
        FUZZ_CHECK(inside == (r.left <= px && px <= r.right && r.top <= py && py <= r.bottom));
        if (r.right < r.left || r.bottom < r.top) FUZZ_CHECK(!inside);
    }
    return 0;
}
