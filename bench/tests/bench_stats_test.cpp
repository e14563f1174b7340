// The handle-free part of the benchmarks: summaries, goals, the table and the
// measured texts.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "bench_stats.h"

namespace {

using namespace bench;

TEST(BenchSummary, MedianMinMax) {
    struct Case {
        std::vector<double> samples;
        double median, min, max;
    };
    const Case cases[] = {
        {{}, 0, 0, 0},
        {{2}, 2, 2, 2},
        {{5, 1, 3}, 3, 1, 5},
        {{4, 1, 3, 2}, 2.5, 1, 4},
        {{9, 9, 1, 9, 2}, 9, 1, 9},
    };
    for (const Case& c : cases) {
        const Summary s = Summarize(c.samples);
        EXPECT_EQ(s.runs, c.samples.size());
        EXPECT_DOUBLE_EQ(s.median, c.median);
        EXPECT_DOUBLE_EQ(s.min, c.min);
        EXPECT_DOUBLE_EQ(s.max, c.max);
    }
}

Summary One(double v) { return Summarize({v}); }

TEST(BenchJudge, GoalsOnTheMedians) {
    constexpr double MB = 1024 * 1024;
    struct Case {
        Row row;
        Verdict verdict;
        const char* comparison;
    };
    const Case cases[] = {
        {{"ratio met at the bound", Unit::Seconds, One(1.15), One(1.0), {GoalKind::RatioAtMost, 1.15}, ""},
         Verdict::Met, "1.15\xC3\x97"},
        {{"ratio missed", Unit::Seconds, One(1.3), One(1.0), {GoalKind::RatioAtMost, 1.15}, ""}, Verdict::Missed,
         "1.30\xC3\x97"},
        {{"ratio without floor", Unit::Seconds, One(1.0), std::nullopt, {GoalKind::RatioAtMost, 1.1}, ""},
         Verdict::NotJudged, "\xE2\x80\x94"},
        {{"ratio with a floor of no runs", Unit::Seconds, One(1.0), Summary{}, {GoalKind::RatioAtMost, 1.1}, ""},
         Verdict::NotJudged, "\xE2\x80\x94"},
        {{"memory within", Unit::Bytes, One(13 * MB), One(10 * MB), {GoalKind::PlusAtMost, 4 * MB}, ""},
         Verdict::Met, "+3.0 MB"},
        {{"memory over", Unit::Bytes, One(15 * MB), One(10 * MB), {GoalKind::PlusAtMost, 4 * MB}, ""},
         Verdict::Missed, "+5.0 MB"},
        {{"memory below the floor", Unit::Bytes, One(9.5 * MB), One(10 * MB), {GoalKind::PlusAtMost, 4 * MB}, ""},
         Verdict::Met, "-512 KB"},
        {{"size", Unit::Bytes, One(900 * 1024), std::nullopt, {GoalKind::AtMost, MB}, ""}, Verdict::Met,
         "\xE2\x80\x94"},
        {{"size over", Unit::Bytes, One(MB + 1), std::nullopt, {GoalKind::AtMost, MB}, ""}, Verdict::Missed,
         "\xE2\x80\x94"},
        {{"reference", Unit::Seconds, One(2), One(1), {GoalKind::None, 0}, ""}, Verdict::NotJudged, "2.00\xC3\x97"},
        {{"not measured", Unit::Seconds, Summary{}, std::nullopt, {GoalKind::RatioAtMost, 1.1}, ""},
         Verdict::NotJudged, "\xE2\x80\x94"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Judge(c.row), c.verdict) << c.row.measure;
        EXPECT_EQ(FormatComparison(c.row), c.comparison) << c.row.measure;
    }
}

TEST(BenchTable, RowsGoalsAndNotes) {
    const std::vector<Row> rows = {
        {"Start", Unit::Seconds, Summarize({0.5, 0.4, 0.6}), Summarize({0.45, 0.44, 0.5}),
         {GoalKind::RatioAtMost, 1.15}, "started twice"},
        {"Size x64", Unit::Bytes, One(2 * 1024 * 1024), std::nullopt, {GoalKind::AtMost, 1024 * 1024}, ""},
    };
    const std::string table = FormatTable(rows);
    EXPECT_NE(table.find("| Start | 0.500 s (0.400 s\xE2\x80\x93" "0.600 s) | 0.450 s (0.440 s\xE2\x80\x93"
                         "0.500 s) | 1.11\xC3\x97 | \xE2\x89\xA4 1.15\xC3\x97 | met |\n"),
              std::string::npos)
        << table;
    EXPECT_NE(table.find("| Size x64 | 2.0 MB | \xE2\x80\x94 | \xE2\x80\x94 | \xE2\x89\xA4 1.0 MB | **missed** |\n"),
              std::string::npos)
        << table;
    EXPECT_NE(table.find("\n- Start: started twice\n"), std::string::npos) << table;
    EXPECT_EQ(table.find("- Size x64"), std::string::npos) << table;
}

TEST(BenchText, WordTextIsExactLinesOfWords) {
    for (std::size_t bytes : {0u, 1u, 2u, 3u, 4u, 61u, 62u, 63u, 1000u, 256u * 1024u}) {
        const std::string text = WordText(bytes, 60);
        ASSERT_EQ(text.size(), bytes);
        if (bytes < 2) continue;
        EXPECT_EQ(text.substr(bytes - 2), "\r\n") << bytes;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find("\r\n", start);
            ASSERT_NE(end, std::string::npos);
            const std::string line = text.substr(start, end - start);
            EXPECT_LE(line.size(), 60u);
            EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
            EXPECT_EQ(line.find('\0'), std::string::npos);
            start = end + 2;
        }
    }
    EXPECT_EQ(WordText(4096, 60), WordText(4096, 60));  // every run measures the same text
}

TEST(BenchText, WordLinesFitTheirWidth) {
    const std::vector<std::string> lines = WordLines(500, 60);
    ASSERT_EQ(lines.size(), 500u);
    for (const std::string& line : lines) {
        EXPECT_LE(line.size(), 60u);
        EXPECT_GE(line.size(), 60u - 9u) << line;  // the next word (at most 8 letters) did not fit
        EXPECT_NE(line.front(), ' ');
        EXPECT_NE(line.back(), ' ');
    }
}

}  // namespace
