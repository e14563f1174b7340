#include "platform/modPrintRTB.h"

#include <algorithm>
#include <memory>
#include <string>

#include "platform/RichTextBox.h"
#include "platform/shell_services.h"
#include "platform/message_boxes.h"
#include "platform/program_windows.h"

namespace modPrintRTB {

// ---------------------------------------------------------------------------
// The default printer.

DefaultPrinterJob::~DefaultPrinterJob() {
    Abort();
    if (m_dc) DeleteDC(m_dc);
}

JobStatus DefaultPrinterJob::Open(std::string_view documentName) {
    DWORD size = 0;
    shell::GetDefaultPrinterA(nullptr, &size);
    if (size == 0) return JobStatus::NoDefaultPrinter;
    std::string name(size, '\0');
    if (!shell::GetDefaultPrinterA(name.data(), &size)) return JobStatus::NoDefaultPrinter;
    name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
    if (name.empty()) return JobStatus::NoDefaultPrinter;
    m_printer = name;

    m_dc = CreateDCA("WINSPOOL", m_printer.c_str(), nullptr, nullptr);
    if (!m_dc) return JobStatus::CannotOpenPrinter;

    const std::string document(documentName);
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = document.c_str();
    if (StartDocA(m_dc, &info) <= 0) return JobStatus::Refused;
    m_inDocument = true;
    if (StartPage(m_dc) <= 0) {
        Abort();
        return JobStatus::Refused;
    }
    m_inPage = true;
    PrintSpace();
    return JobStatus::Ok;
}

void DefaultPrinterJob::PrintSpace() { TextOutA(m_dc, 0, 0, " ", 1); }

print_layout::DeviceMetrics DefaultPrinterJob::Metrics() {
    print_layout::DeviceMetrics m;
    m.logPixelsX = GetDeviceCaps(m_dc, LOGPIXELSX);
    m.logPixelsY = GetDeviceCaps(m_dc, LOGPIXELSY);
    m.physicalWidth = GetDeviceCaps(m_dc, PHYSICALWIDTH);
    m.physicalHeight = GetDeviceCaps(m_dc, PHYSICALHEIGHT);
    m.printableWidth = GetDeviceCaps(m_dc, HORZRES);
    m.printableHeight = GetDeviceCaps(m_dc, VERTRES);
    m.offsetX = GetDeviceCaps(m_dc, PHYSICALOFFSETX);
    m.offsetY = GetDeviceCaps(m_dc, PHYSICALOFFSETY);
    return m;
}

JobStatus DefaultPrinterJob::NewPage() {
    m_inPage = false;
    if (EndPage(m_dc) <= 0 || StartPage(m_dc) <= 0) return JobStatus::Refused;
    m_inPage = true;
    PrintSpace();
    return JobStatus::Ok;
}

JobStatus DefaultPrinterJob::EndDocument() {
    if (m_inPage && EndPage(m_dc) <= 0) return JobStatus::Refused;
    m_inPage = false;
    if (EndDoc(m_dc) <= 0) return JobStatus::Refused;
    m_inDocument = false;
    return JobStatus::Ok;
}

void DefaultPrinterJob::Abort() {
    if (m_inDocument) AbortDoc(m_dc);
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

// A hidden copy of the note's text area, laid out in place of the control so
// that the screen, the control's text and its colours stay as they are, and
// whose text is black for the white paper.
class PrintCopy final : public FormatRangeControl {
public:
    explicit PrintCopy(CRichTextBox& source) : m_source(source) {
        const HWND parent = GetParent(source.hWnd());
        const auto font = reinterpret_cast<HFONT>(SendMessageW(source.hWnd(), WM_GETFONT, 0, 0));
        if (!parent || !m_copy.Create(parent, 0, font)) return;
        ShowWindow(m_copy.hWnd(), SW_HIDE);
        // RTF sets only what differs from the reader's default, which may be bold (Wine's is).
        CHARFORMAT2W plain{};
        plain.cbSize = sizeof plain;
        plain.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_WEIGHT;
        plain.wWeight = FW_NORMAL;
        SendMessageW(m_copy.hWnd(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&plain));
        SendMessageW(m_copy.hWnd(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&plain));
        if (!CopyRichText(source.hWnd(), m_copy.hWnd()) || m_copy.TextLength() != source.TextLength())
            m_copy.SetText(source.Text());
        CHARFORMAT2W black{};
        black.cbSize = sizeof black;
        black.dwMask = CFM_COLOR | CFM_BACKCOLOR;
        black.crTextColor = RGB(0, 0, 0);
        black.dwEffects = CFE_AUTOBACKCOLOR;
        SendMessageW(m_copy.hWnd(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&black));
        m_ready = true;
    }
    ~PrintCopy() override {
        if (m_copy.hWnd()) DestroyWindow(m_copy.hWnd());
    }
    PrintCopy(const PrintCopy&) = delete;
    PrintCopy& operator=(const PrintCopy&) = delete;

    // Without a copy (a control with no parent window) the control itself is printed.
    long TextLength() override { return m_ready ? m_copy.TextLength() : m_source.TextLength(); }
    LRESULT FormatRange(WPARAM wParam, FORMATRANGE* range) override {
        return m_ready ? m_copy.FormatRange(wParam, range) : m_source.FormatRange(wParam, range);
    }

private:
    static DWORD CALLBACK Out(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* done) {
        reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
        *done = count;
        return 0;
    }
    struct Reader {
        const std::string* text;
        size_t at;
    };
    static DWORD CALLBACK In(DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* done) {
        auto* r = reinterpret_cast<Reader*>(cookie);
        const size_t n = std::min(static_cast<size_t>(count), r->text->size() - r->at);
        std::copy_n(r->text->data() + r->at, n, bytes);
        r->at += n;
        *done = static_cast<LONG>(n);
        return 0;
    }
    // The formatted text of `from` into `to`, through RTF.
    static bool CopyRichText(HWND from, HWND to) {
        std::string rtf;
        EDITSTREAM out{reinterpret_cast<DWORD_PTR>(&rtf), 0, &PrintCopy::Out};
        SendMessageW(from, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&out));
        if (out.dwError != 0 || rtf.empty()) return false;
        Reader reader{&rtf, 0};
        EDITSTREAM in{reinterpret_cast<DWORD_PTR>(&reader), 0, &PrintCopy::In};
        SendMessageW(to, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&in));
        return in.dwError == 0;
    }

    CRichTextBox& m_source;
    CRichTextBox m_copy;  // its window is destroyed with this object
    bool m_ready = false;
};

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
    std::unique_ptr<PrintCopy> copy;
    {
        const ui::WaitCursor wait;
        copy = std::make_unique<PrintCopy>(control);
    }
    PrintRichText(*copy, job, left, top, right, bottom);
}

}  // namespace modPrintRTB
