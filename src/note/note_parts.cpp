#include "note/note_parts.h"

bool IsEmptyRect(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

long NotePartAt(std::int16_t x, std::int16_t y, const NoteLayout& chrome) {
    // Title, size grip, close, menu, minimize: the order that settles the
    // overlaps for a click; the date line, no click region, comes last.
    static constexpr long kHitOrder[] = {2, 7, 4, 1, 3, 6};
    for (const long id : kHitOrder) {
        const Rect& r = chrome.*NotePartOf(id).rect;
        if (!IsEmptyRect(r) && modMain::IsPointInRect(x, y, r)) return id;
    }
    return 0;
}
