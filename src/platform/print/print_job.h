#pragma once
// The default printer as a print job, and what a job prints from: the two
// sides of the page loop, each replaceable by tests.
#include <windows.h>
#include <richedit.h>

#include <string>
#include <string_view>

#include "platform/print/print_layout.h"
#include "platform/win/handles.h"

namespace modPrintRTB {

// The print job's document name; cups-pdf names its files after it.
inline constexpr char kDocumentName[] = "Scrivlet note";

// What printing needs of a rich-text control: the length of its text
// in its own character positions and EM_FORMATRANGE.
class FormatRangeControl {
public:
    virtual ~FormatRangeControl() = default;
    virtual long TextLength() = 0;
    // EM_FORMATRANGE: wParam nonzero renders; wParam 0 with no record frees the
    // layout data the control cached. Returns the first position that did not fit.
    virtual LRESULT FormatRange(WPARAM wParam, FORMATRANGE* range) = 0;
};

// How opening or ending a print job went.
enum class JobStatus {
    Ok,
    NoDefaultPrinter,   // the system names no default printer
    CannotOpenPrinter,  // the default printer's device context could not be made
    Refused,            // StartDoc, StartPage, EndPage or EndDoc failed
};

// The default printer as a print job.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    // Opens the job on the default printer and its first page, and prints a
    // single space at the printable area's top-left corner in the printer's
    // current font.
    virtual JobStatus Open(std::string_view documentName) = 0;
    // The printer's device context for the current page.
    virtual HDC Dc() = 0;
    virtual print_layout::DeviceMetrics Metrics() = 0;
    // Ends the page and starts a new one with a single space on it.
    virtual JobStatus NewPage() = 0;
    // Ends the page and the document, which sends the job to the printer.
    virtual JobStatus EndDocument() = 0;
    // Throws the job away after a failure.
    virtual void Abort() = 0;
    // The printer's name for messages, empty when there is none.
    virtual std::string PrinterName() const = 0;
};

// The system's default printer.
class DefaultPrinterJob final : public PrintJob {
public:
    DefaultPrinterJob() = default;
    ~DefaultPrinterJob() override;
    DefaultPrinterJob(const DefaultPrinterJob&) = delete;
    DefaultPrinterJob& operator=(const DefaultPrinterJob&) = delete;

    JobStatus Open(std::string_view documentName) override;
    HDC Dc() override { return m_dc.get(); }
    print_layout::DeviceMetrics Metrics() override;
    JobStatus NewPage() override;
    JobStatus EndDocument() override;
    void Abort() override;
    std::string PrinterName() const override { return m_printer; }

private:
    void PrintSpace();
    std::string m_printer;
    unique_hdc m_dc;
    bool m_inDocument = false;
    bool m_inPage = false;
};

// The message shown (program title, exclamation icon) when a job could not be
// opened or finished; empty for JobStatus::Ok.
std::string FailureMessage(JobStatus status, bool whileOpening, std::string_view printer);

}  // namespace modPrintRTB
