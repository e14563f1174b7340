#include "bench_stats.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace bench {

namespace {

// UTF-8 spelled out, so that every compiler reads the source alike.
constexpr char kTimes[] = "\xC3\x97";      // multiplication sign
constexpr char kDash[] = "\xE2\x80\x94";   // em dash
constexpr char kRange[] = "\xE2\x80\x93";  // en dash
constexpr char kAtMost[] = "\xE2\x89\xA4"; // less-than or equal to

constexpr double kMiB = 1024.0 * 1024.0;

std::string Printf(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string FormatSummary(const Summary& s, Unit unit) {
    if (s.runs == 0) return kDash;
    if (s.runs == 1) return FormatValue(s.median, unit);
    return FormatValue(s.median, unit) + " (" + FormatValue(s.min, unit) + kRange + FormatValue(s.max, unit) + ")";
}

const char* VerdictText(Verdict v) {
    switch (v) {
    case Verdict::Met: return "met";
    case Verdict::Missed: return "**missed**";
    case Verdict::NotJudged: break;
    }
    return kDash;
}

}  // namespace

Summary Summarize(std::vector<double> samples) {
    Summary s;
    if (samples.empty()) return s;
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    s.runs = n;
    s.min = samples.front();
    s.max = samples.back();
    s.median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    return s;
}

Verdict Judge(const Row& row) {
    if (row.ours.runs == 0) return Verdict::NotJudged;
    const double ours = row.ours.median;
    switch (row.goal.kind) {
    case GoalKind::None: return Verdict::NotJudged;
    case GoalKind::AtMost: return ours <= row.goal.limit ? Verdict::Met : Verdict::Missed;
    case GoalKind::RatioAtMost:
        if (!row.floor || row.floor->runs == 0 || row.floor->median <= 0) return Verdict::NotJudged;
        return ours <= row.goal.limit * row.floor->median ? Verdict::Met : Verdict::Missed;
    case GoalKind::PlusAtMost:
        if (!row.floor || row.floor->runs == 0) return Verdict::NotJudged;
        return ours <= row.floor->median + row.goal.limit ? Verdict::Met : Verdict::Missed;
    }
    return Verdict::NotJudged;
}

std::string FormatValue(double value, Unit unit) {
    if (unit == Unit::Seconds) return Printf("%.3f s", value);
    const double magnitude = value < 0 ? -value : value;
    if (magnitude >= kMiB) return Printf("%.1f MB", value / kMiB);
    if (magnitude >= 1024) return Printf("%.0f KB", value / 1024);
    return Printf("%.0f B", value);
}

std::string FormatComparison(const Row& row) {
    if (!row.floor || row.floor->runs == 0 || row.ours.runs == 0) return kDash;
    if (row.goal.kind == GoalKind::PlusAtMost) {
        const double difference = row.ours.median - row.floor->median;
        return (difference < 0 ? "" : "+") + FormatValue(difference, row.unit);
    }
    if (row.floor->median <= 0) return kDash;
    return Printf("%.2f", row.ours.median / row.floor->median) + kTimes;
}

std::string FormatGoal(const Row& row) {
    switch (row.goal.kind) {
    case GoalKind::None: return kDash;
    case GoalKind::RatioAtMost: return kAtMost + Printf(" %.2f", row.goal.limit) + kTimes;
    case GoalKind::PlusAtMost: return std::string(kAtMost) + " floor + " + FormatValue(row.goal.limit, row.unit);
    case GoalKind::AtMost: return std::string(kAtMost) + " " + FormatValue(row.goal.limit, row.unit);
    }
    return kDash;
}

std::string FormatTable(const std::vector<Row>& rows) {
    std::string table =
        "| Measure | Scrivlet, median (min" + std::string(kRange) + "max) | Floor, median (min" + kRange +
        "max) | Scrivlet against floor | Goal | Result |\n"
        "|---|---|---|---|---|---|\n";
    std::string notes;
    for (const Row& row : rows) {
        table += "| " + row.measure + " | " + FormatSummary(row.ours, row.unit) + " | " +
                 (row.floor ? FormatSummary(*row.floor, row.unit) : kDash) + " | " + FormatComparison(row) +
                 " | " + FormatGoal(row) + " | " + VerdictText(Judge(row)) + " |\n";
        if (!row.note.empty()) notes += "- " + row.measure + ": " + row.note + "\n";
    }
    if (!notes.empty()) table += "\n" + notes;
    return table;
}

namespace {

// A fixed sequence of words: every run measures the same text.
class WordSource {
public:
    std::string NextLine(std::size_t maxWidth) {
        static const char* const kWords[] = {"note",  "paper", "scrap",    "window", "rich",    "text",  "line",
                                             "words", "print", "colour",   "save",   "open",    "folder", "list",
                                             "the",   "a",     "of",       "and",    "quick",   "brown", "memo",
                                             "ink",   "desk",  "reminder", "call",   "meeting", "today", "later"};
        constexpr std::size_t kWordCount = sizeof kWords / sizeof kWords[0];
        std::string line;
        for (;;) {
            m_state = m_state * 1103515245u + 12345u;
            const char* word = kWords[(m_state >> 16) % kWordCount];
            const std::size_t grown = line.size() + (line.empty() ? 0 : 1) + std::char_traits<char>::length(word);
            if (grown > maxWidth) return line;
            if (!line.empty()) line += ' ';
            line += word;
        }
    }

private:
    std::uint32_t m_state = 12345;
};

}  // namespace

std::vector<std::string> WordLines(std::size_t count, std::size_t maxWidth) {
    WordSource words;
    std::vector<std::string> lines;
    lines.reserve(count);
    for (std::size_t i = 0; i < count; ++i) lines.push_back(words.NextLine(maxWidth));
    return lines;
}

std::string WordText(std::size_t bytes, std::size_t maxWidth) {
    if (bytes < 2) return std::string(bytes, ' ');
    WordSource words;
    std::string text;
    text.reserve(bytes);
    while (text.size() < bytes) {
        std::string line = words.NextLine(maxWidth);
        const std::size_t room = bytes - text.size();
        // The last line is cut or padded with a blank to end exactly at the size.
        if (line.size() + 2 + 1 >= room) line.resize(room - 2, ' ');
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace bench
