// Measures on the note's text inside this process: recolouring a large note,
// and the rich edit control's own growth from a small to a large text.
#include <string>

#include "bench_rows.h"
#include "note/COutlookNote.h"
#include "note/note_colors.h"
#include "platform/text/ansi_text.h"

namespace bench {

namespace {
constexpr std::size_t kLineWidth = 60;
}

void AddTextRows(const Options& options, std::vector<Row>& rows) {
    const std::size_t large = options.quick ? 16 * 1024 : 1024 * 1024;
    const std::size_t small = options.quick ? 4 * 1024 : 256 * 1024;
    const std::wstring largeText = ui::FromNarrow(WordText(large, kLineWidth));
    const std::wstring smallText = ui::FromNarrow(WordText(small, kLineWidth));

    COutlookNote note;
    if (!note.Create()) {
        Progress("the note could not be created: no text measures");
        return;
    }
    RECT area{};
    GetClientRect(note.rtbMain.hWnd(), &area);
    CBareTextWindow bare;
    if (!bare.Create(area.right, area.bottom, note.Font())) {
        Progress("the bare control could not be created: no text measures");
        return;
    }
    PumpPending();

    // The platform alone: a bare EM_SETTEXTEX of the small and the large text,
    // each into a fresh control (emptying a large text is itself slow on Wine).
    std::vector<double> setLarge, setSmall;
    const auto setText = [&](const std::wstring& text, const char* name) {
        CBareTextWindow fresh;
        if (!fresh.Create(area.right, area.bottom, note.Font())) return 0.0;
        PumpPending();
        const double s = Seconds([&] { fresh.SetText(text); });
        Progress(std::string("bare EM_SETTEXTEX of ") + name + ": " + FormatValue(s, Unit::Seconds));
        return s;
    };
    MeasurePair(options, [&] { return setText(largeText, "the large text"); },
                [&] { return setText(smallText, "the small text"); }, setLarge, setSmall);
    rows.push_back({"Platform growth: bare `EM_SETTEXTEX` of " + FormatValue(static_cast<double>(large), Unit::Bytes) +
                        " (Scrivlet column) against " + FormatValue(static_cast<double>(small), Unit::Bytes) +
                        " (floor column)",
                    Unit::Seconds, Summarize(setLarge), Summarize(setSmall), {GoalKind::None, 0},
                    "the rich edit control itself, no Scrivlet code; linear growth would be " +
                        std::to_string(large / small) + "\xC3\x97."});

    // Recolouring: the note's ApplyForeColor against select all + EM_SETCHARFORMAT, each until painted.
    Progress("filling the note and the bare control with the large text");
    note.rtbMain.SetText(largeText);
    bare.SetText(largeText);
    UpdateWindow(note.hWnd());
    UpdateWindow(bare.hWnd());
    PumpPending();
    int noteTurn = 0, bareTurn = 0;
    std::vector<double> ours, floor;
    MeasurePair(
        options,
        [&] {
            const int id = noteTurn++ % 2 ? 2204 : 2202;  // yellow, green: every run changes the colour
            const double s = Seconds([&] {
                note.ApplyForeColor(id);
                UpdateWindow(note.hWnd());
            });
            Progress("note ApplyForeColor: " + FormatValue(s, Unit::Seconds));
            PumpPending();
            return s;
        },
        [&] {
            const COLORREF color = note::ColorOfMenuId(bareTurn++ % 2 ? 2204 : 2202);
            const double s = Seconds([&] {
                bare.ColourAll(color);
                UpdateWindow(bare.hWnd());
            });
            Progress("bare select all + EM_SETCHARFORMAT: " + FormatValue(s, Unit::Seconds));
            PumpPending();
            return s;
        },
        ours, floor);
    rows.push_back({"Recolour a " + FormatValue(static_cast<double>(large), Unit::Bytes) + " note", Unit::Seconds,
                    Summarize(ours), Summarize(floor), {GoalKind::RatioAtMost, 1.2},
                    "`ApplyForeColor` on a real note against select all + `EM_SETCHARFORMAT` on a bare control of "
                    "the same size and font, each until painted."});
}

}  // namespace bench
