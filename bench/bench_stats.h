#pragma once
// Handle-free parts of the benchmarks: the summary of repeated runs, the
// goals a measure is judged by, the printed table, and the texts measured.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace bench {

// Median, smallest and largest of a measure's runs.
struct Summary {
    double median = 0;
    double min = 0;
    double max = 0;
    std::size_t runs = 0;
};
// The median of an even count is the mean of the two middle runs; no runs give zeros.
Summary Summarize(std::vector<double> samples);

enum class Unit { Seconds, Bytes };

enum class GoalKind {
    None,         // shown for reference, not judged
    RatioAtMost,  // ours ≤ limit × floor
    PlusAtMost,   // ours ≤ floor + limit
    AtMost,       // ours ≤ limit
};

struct Goal {
    GoalKind kind = GoalKind::None;
    double limit = 0;
};

struct Row {
    std::string measure;
    Unit unit = Unit::Seconds;
    Summary ours;
    std::optional<Summary> floor;
    Goal goal;
    std::string note;  // shown under the table when not empty
};

enum class Verdict { Met, Missed, NotJudged };

// Judged on the medians; a row without runs, or whose goal needs a floor it
// lacks, is not judged.
Verdict Judge(const Row& row);

// "0.812 s", "12.3 MB", "842 KB", "912 B".
std::string FormatValue(double value, Unit unit);
// The comparison of the medians: "1.07×" for time and ratio goals, "+1.2 MB" for
// memory goals, "—" without a floor or without runs.
std::string FormatComparison(const Row& row);
std::string FormatGoal(const Row& row);
// A Markdown table of the rows, one per line, then their notes.
std::string FormatTable(const std::vector<Row>& rows);

// `count` lines of words, each at most `maxWidth` characters, without line ends.
std::vector<std::string> WordLines(std::size_t count, std::size_t maxWidth);
// Lines of words, each ended by CR LF, exactly `bytes` bytes long (the last
// line is cut short to fit); fewer than two bytes give that many blanks.
std::string WordText(std::size_t bytes, std::size_t maxWidth);

}  // namespace bench
