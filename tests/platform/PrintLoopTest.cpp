// The page loop against a scripted control and a scripted print job: the
// render calls, the new pages, the final freeing call, the stop when a page
// brings no progress, and the failures of the job.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/modPrintRTB.h"
#include "support/dialog_script.h"

namespace {

using modPrintRTB::JobStatus;

HCURSOR WaitCursorHandle() { return LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)); }

struct Call {
    WPARAM wParam = 0;
    bool hasRecord = false;
    FORMATRANGE record{};
    HCURSOR cursor = nullptr;
};

// Answers EM_FORMATRANGE from a script; the last answer repeats.
class ScriptedControl final : public modPrintRTB::FormatRangeControl {
public:
    ScriptedControl(long length, std::vector<LRESULT> answers) : m_length(length), m_answers(std::move(answers)) {}
    long TextLength() override { return m_length; }
    LRESULT FormatRange(WPARAM wParam, FORMATRANGE* range) override {
        calls.push_back({wParam, range != nullptr, range ? *range : FORMATRANGE{}, GetCursor()});
        if (!range) return 0;
        if (calls.size() > 50) return m_length;  // a loop that never ends fails below instead of hanging
        const LRESULT answer = m_answers[std::min(m_renders, m_answers.size() - 1)];
        ++m_renders;
        return answer;
    }
    std::vector<Call> Renders() const {
        std::vector<Call> r;
        for (const Call& c : calls)
            if (c.hasRecord) r.push_back(c);
        return r;
    }
    std::vector<Call> calls;

private:
    long m_length;
    std::vector<LRESULT> m_answers;
    size_t m_renders = 0;
};

// US Letter at 300 dpi with unprintable edges a quarter inch wide; each page
// has a device context of its own.
class ScriptedJob final : public modPrintRTB::PrintJob {
public:
    JobStatus openStatus = JobStatus::Ok, newPageStatus = JobStatus::Ok, endStatus = JobStatus::Ok;
    std::vector<std::string> events;
    HCURSOR cursorAtOpen = nullptr;

    JobStatus Open(std::string_view documentName) override {
        events.push_back("open " + std::string(documentName));
        cursorAtOpen = GetCursor();
        return openStatus;
    }
    HDC Dc() override { return PageDc(m_page); }
    print_layout::DeviceMetrics Metrics() override { return {300, 300, 2550, 3300, 2400, 3150, 75, 75}; }
    JobStatus NewPage() override {
        events.push_back("new page");
        if (newPageStatus == JobStatus::Ok) ++m_page;
        return newPageStatus;
    }
    JobStatus EndDocument() override {
        events.push_back("end");
        return endStatus;
    }
    void Abort() override { events.push_back("abort"); }
    std::string PrinterName() const override { return "Desk Printer"; }

    static HDC PageDc(int page) { return reinterpret_cast<HDC>(static_cast<INT_PTR>(0x1000 + page)); }

private:
    int m_page = 0;
};

std::vector<std::string> Events(int newPages, const char* last) {
    std::vector<std::string> e{"open Scrivlet note"};
    for (int i = 0; i < newPages; ++i) e.push_back("new page");
    e.push_back(last);
    return e;
}

TEST(PrintLoop, RenderCallsNewPagesAndTheFreeingCall) {
    struct Case {
        const char* name;
        long length;
        std::vector<LRESULT> answers;
        std::vector<LONG> pageStarts;  // cpMin of each render call
        int stoppedAtPage;             // 0: the whole text was printed
    };
    const Case cases[] = {
        {"empty note", 0, {0}, {0}, 0},
        {"fits one page", 120, {120}, {0}, 0},
        {"answer past the end", 120, {121}, {0}, 0},
        {"three pages", 300, {100, 200, 300}, {0, 100, 200}, 0},
        {"no progress on the second page", 300, {100, 100}, {0, 100}, 2},
        {"no progress at all", 300, {0}, {0}, 1},
        {"a position going back", 300, {150, 20}, {0, 150}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogScript boxes({}, DialogScript::Press(IDOK));
        ScriptedControl control(c.length, c.answers);
        ScriptedJob job;
        EXPECT_EQ(modPrintRTB::PrintRichText(control, job, 1440, 1440, 1440, 1440), c.stoppedAtPage == 0);

        const std::vector<Call> renders = control.Renders();
        ASSERT_EQ(renders.size(), c.pageStarts.size());
        for (size_t i = 0; i < renders.size(); ++i) {
            EXPECT_EQ(renders[i].wParam, static_cast<WPARAM>(-1));
            EXPECT_EQ(renders[i].record.chrg.cpMin, c.pageStarts[i]);
            EXPECT_EQ(renders[i].record.chrg.cpMax, -1);
            EXPECT_EQ(renders[i].record.hdc, ScriptedJob::PageDc(static_cast<int>(i)));
            EXPECT_EQ(renders[i].record.hdcTarget, ScriptedJob::PageDc(static_cast<int>(i)));
        }
        const int newPages = static_cast<int>(renders.size()) - 1;
        EXPECT_EQ(job.events, Events(newPages, "end"));
        // The last call frees the control's cache: wParam 0 and no record, after the document ended.
        ASSERT_EQ(control.calls.size(), renders.size() + 1);
        EXPECT_FALSE(control.calls.back().hasRecord);
        EXPECT_EQ(control.calls.back().wParam, 0u);
        if (c.stoppedAtPage == 0) {
            EXPECT_TRUE(boxes.seen().empty());
            continue;
        }
        // The pages before the stop were sent; the user is told the rest was not printed.
        ASSERT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(boxes.seen()[0].caption, "Scrivlet");
        EXPECT_EQ(boxes.seen()[0].text, "Printing stopped at page " + std::to_string(c.stoppedAtPage) +
                                            " because the text there could not be laid out on the page, so the "
                                            "rest of the note was not printed.");
    }
}

TEST(PrintLoop, RecordHoldsTheDrawingRectangleAndThePrintableArea) {
    ScriptedControl control(10, {10});
    ScriptedJob job;
    modPrintRTB::PrintRichText(control, job, 1440, 1440, 1440, 1440);
    ASSERT_FALSE(control.Renders().empty());
    const FORMATRANGE r = control.Renders()[0].record;
    // A quarter inch unprintable: the text still starts one inch from the sheet's edges.
    EXPECT_EQ(r.rc.left, 1080);
    EXPECT_EQ(r.rc.top, 1080);
    EXPECT_EQ(r.rc.right, 12240 - 1440 - 360);
    EXPECT_EQ(r.rc.bottom, 15840 - 1440 - 360);
    EXPECT_EQ(r.rcPage.left, 0);
    EXPECT_EQ(r.rcPage.top, 0);
    EXPECT_EQ(r.rcPage.right, 11520);
    EXPECT_EQ(r.rcPage.bottom, 15120);
}

TEST(PrintLoop, WaitCursorShowsWhileTheJobOpensAndPagesAreLaidOut) {
    const HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    SetCursor(arrow);
    ScriptedControl control(300, {100, 200, 300});
    ScriptedJob job;
    modPrintRTB::PrintRichText(control, job, 1440, 1440, 1440, 1440);
    EXPECT_EQ(job.cursorAtOpen, WaitCursorHandle());
    for (const Call& c : control.calls) EXPECT_EQ(c.cursor, WaitCursorHandle());
    EXPECT_EQ(GetCursor(), arrow);
}

TEST(PrintLoop, FailuresOfThePrinterAreReportedAndNothingFurtherIsPrinted) {
    struct Case {
        const char* name;
        JobStatus open, newPage, end;
        size_t renders;
        std::vector<std::string> events;
        const char* message;
    };
    const Case cases[] = {
        {"no default printer", JobStatus::NoDefaultPrinter, JobStatus::Ok, JobStatus::Ok, 0, {"open Scrivlet note"},
         "There is no default printer, so the note was not printed.\n\n"
         "Install a printer and make it the default printer, then try again."},
        {"printer cannot be opened", JobStatus::CannotOpenPrinter, JobStatus::Ok, JobStatus::Ok, 0,
         {"open Scrivlet note"}, "The printer \"Desk Printer\" could not be opened, so the note was not printed."},
        {"job refused at the start", JobStatus::Refused, JobStatus::Ok, JobStatus::Ok, 0, {"open Scrivlet note"},
         "The printer \"Desk Printer\" did not accept the print job, so the note was not printed."},
        {"new page refused", JobStatus::Ok, JobStatus::Refused, JobStatus::Ok, 1,
         {"open Scrivlet note", "new page", "abort"},
         "The printer \"Desk Printer\" did not accept the whole print job, so the note may not have been printed."},
        {"end of document refused", JobStatus::Ok, JobStatus::Ok, JobStatus::Refused, 3, Events(2, "end"),
         "The printer \"Desk Printer\" did not accept the whole print job, so the note may not have been printed."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogScript boxes({}, DialogScript::Press(IDOK));
        ScriptedControl control(300, {100, 200, 300});
        ScriptedJob job;
        job.openStatus = c.open;
        job.newPageStatus = c.newPage;
        job.endStatus = c.end;
        EXPECT_FALSE(modPrintRTB::PrintRichText(control, job, 1440, 1440, 1440, 1440));
        EXPECT_EQ(control.Renders().size(), c.renders);
        EXPECT_EQ(job.events, c.events);
        // The control's cache is freed whenever it laid anything out.
        if (c.renders > 0) {
            ASSERT_FALSE(control.calls.empty());
            EXPECT_FALSE(control.calls.back().hasRecord);
        } else {
            EXPECT_TRUE(control.calls.empty());
        }
        ASSERT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(boxes.seen()[0].caption, "Scrivlet");
        EXPECT_EQ(boxes.seen()[0].text, c.message);
        EXPECT_TRUE(boxes.seen()[0].hadButton);
    }
}

}  // namespace
