#include "platform/modPrintRTB.h"

#include <string>

#include "platform/print/print_pages.h"
#include "platform/win/message_boxes.h"
#include "platform/win/program_windows.h"

namespace modPrintRTB {

namespace {

std::string StoppedMessage(int page) {
    return "Printing stopped at page " + std::to_string(page) +
           " because the text there could not be laid out on the page, so the rest of the note was not printed.";
}

// The pages of an open job: the FORMATRANGE record, the page loop, the end
// of the document and the control's cache freed. `stoppedAtPage` is the page
// that brought no progress, 0 when the whole text was laid out.
JobStatus PrintPages(FormatRangeControl& control, PrintJob& job, int left, int top, int right, int bottom,
                     int& stoppedAtPage) {
    const print_layout::PrintGeometry g = print_layout::ComputePrintGeometry(job.Metrics(), left, top, right, bottom);
    FORMATRANGE range{};
    range.hdc = range.hdcTarget = job.Dc();
    range.rc = {g.rc.left, g.rc.top, g.rc.right, g.rc.bottom};
    range.rcPage = {g.rcPage.left, g.rcPage.top, g.rcPage.right, g.rcPage.bottom};
    range.chrg = {0, -1};
    const long length = control.TextLength();

    JobStatus status = JobStatus::Ok;
    stoppedAtPage = 0;
    for (int page = 1;; ++page) {
        const LRESULT next = control.FormatRange(static_cast<WPARAM>(-1), &range);
        if (next >= length) break;
        // A page that brought no progress would be followed by the same page for ever.
        if (next <= range.chrg.cpMin) {
            stoppedAtPage = page;
            break;
        }
        range.chrg.cpMin = static_cast<LONG>(next);
        status = job.NewPage();
        if (status != JobStatus::Ok) break;
        range.hdc = range.hdcTarget = job.Dc();
    }
    if (status == JobStatus::Ok) {
        status = job.EndDocument();
    } else {
        job.Abort();
    }
    control.FormatRange(0, nullptr);  // frees what the control cached for the printer
    return status;
}

}  // namespace

bool PrintRichText(FormatRangeControl& control, PrintJob& job, int left, int top, int right, int bottom) {
    JobStatus status = JobStatus::Ok;
    bool opening = true;
    int stoppedAtPage = 0;
    {
        const ui::WaitCursor wait;  // while the job opens and the pages are laid out
        status = job.Open(kDocumentName);
        if (status == JobStatus::Ok) {
            opening = false;
            status = PrintPages(control, job, left, top, right, bottom, stoppedAtPage);
        }
    }
    if (status == JobStatus::Ok && stoppedAtPage == 0) return true;
    // The pages before the stop were printed; the user learns that the rest was not.
    ui::MsgBox(status == JobStatus::Ok ? StoppedMessage(stoppedAtPage)
                                       : FailureMessage(status, opening, job.PrinterName()),
               MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void PrintRichText(CRichTextBox& control, int left, int top, int right, int bottom) {
    DefaultPrinterJob job;
    print_pages::NotePages pages(control);
    PrintRichText(pages, job, left, top, right, bottom);
}

}  // namespace modPrintRTB
