#include "platform/modPrintRTB.h"

#include <string>

#include "platform/print_pages.h"
#include "platform/shell_services.h"
#include "platform/message_boxes.h"
#include "platform/program_windows.h"

namespace modPrintRTB {

// ---------------------------------------------------------------------------
// The default printer.

DefaultPrinterJob::~DefaultPrinterJob() { Abort(); }

JobStatus DefaultPrinterJob::Open(std::string_view documentName) {
    DWORD size = 0;
    shell::GetDefaultPrinterA(nullptr, &size);
    if (size == 0) return JobStatus::NoDefaultPrinter;
    std::string name(size, '\0');
    if (!shell::GetDefaultPrinterA(name.data(), &size)) return JobStatus::NoDefaultPrinter;
    name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
    if (name.empty()) return JobStatus::NoDefaultPrinter;
    m_printer = name;

    m_dc.reset(CreateDCA("WINSPOOL", m_printer.c_str(), nullptr, nullptr));
    if (!m_dc) return JobStatus::CannotOpenPrinter;

    const std::string document(documentName);
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = document.c_str();
    if (StartDocA(m_dc.get(), &info) <= 0) return JobStatus::Refused;
    m_inDocument = true;
    if (StartPage(m_dc.get()) <= 0) {
        Abort();
        return JobStatus::Refused;
    }
    m_inPage = true;
    PrintSpace();
    return JobStatus::Ok;
}

void DefaultPrinterJob::PrintSpace() { TextOutA(m_dc.get(), 0, 0, " ", 1); }

print_layout::DeviceMetrics DefaultPrinterJob::Metrics() {
    print_layout::DeviceMetrics m;
    m.logPixelsX = GetDeviceCaps(m_dc.get(), LOGPIXELSX);
    m.logPixelsY = GetDeviceCaps(m_dc.get(), LOGPIXELSY);
    m.physicalWidth = GetDeviceCaps(m_dc.get(), PHYSICALWIDTH);
    m.physicalHeight = GetDeviceCaps(m_dc.get(), PHYSICALHEIGHT);
    m.printableWidth = GetDeviceCaps(m_dc.get(), HORZRES);
    m.printableHeight = GetDeviceCaps(m_dc.get(), VERTRES);
    m.offsetX = GetDeviceCaps(m_dc.get(), PHYSICALOFFSETX);
    m.offsetY = GetDeviceCaps(m_dc.get(), PHYSICALOFFSETY);
    return m;
}

JobStatus DefaultPrinterJob::NewPage() {
    m_inPage = false;
    if (EndPage(m_dc.get()) <= 0 || StartPage(m_dc.get()) <= 0) return JobStatus::Refused;
    m_inPage = true;
    PrintSpace();
    return JobStatus::Ok;
}

JobStatus DefaultPrinterJob::EndDocument() {
    if (m_inPage && EndPage(m_dc.get()) <= 0) return JobStatus::Refused;
    m_inPage = false;
    if (EndDoc(m_dc.get()) <= 0) return JobStatus::Refused;
    m_inDocument = false;
    return JobStatus::Ok;
}

void DefaultPrinterJob::Abort() {
    if (m_inDocument) AbortDoc(m_dc.get());
    m_inDocument = false;
    m_inPage = false;
}

// ---------------------------------------------------------------------------

std::string FailureMessage(JobStatus status, bool whileOpening, std::string_view printer) {
    std::string text = "The printer \"";
    text.append(printer);
    switch (status) {
    case JobStatus::Ok:
        return {};
    case JobStatus::NoDefaultPrinter:
        return "There is no default printer, so the note was not printed.\n\n"
               "Install a printer and make it the default printer, then try again.";
    case JobStatus::CannotOpenPrinter:
        text.append("\" could not be opened, so the note was not printed.");
        break;
    case JobStatus::Refused:
        text.append(whileOpening ? "\" did not accept the print job, so the note was not printed."
                                 : "\" did not accept the whole print job, so the note may not have been printed.");
        break;
    }
    return text;
}

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
