#include "platform/print/print_job.h"

#include "platform/text/ansi_text.h"
#include "platform/win/late_bound.h"

namespace modPrintRTB {

DefaultPrinterJob::~DefaultPrinterJob() { Abort(); }

JobStatus DefaultPrinterJob::Open(std::string_view documentName) {
    // Wide: the narrow calls size a name by its characters, too few bytes for its UTF-8.
    DWORD size = 0;
    late::GetDefaultPrinterW(nullptr, &size);
    if (size == 0) return JobStatus::NoDefaultPrinter;
    std::wstring name(size, L'\0');
    if (!late::GetDefaultPrinterW(name.data(), &size)) return JobStatus::NoDefaultPrinter;
    name.resize(name.find(L'\0') == std::wstring::npos ? name.size() : name.find(L'\0'));
    if (name.empty()) return JobStatus::NoDefaultPrinter;
    m_printer = ui::ToNarrow(name);

    m_dc.reset(CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr));
    if (!m_dc) return JobStatus::CannotOpenPrinter;

    const std::wstring document = ui::FromNarrow(documentName);
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = document.c_str();
    if (StartDocW(m_dc.get(), &info) <= 0) return JobStatus::Refused;
    m_inDocument = true;
    if (StartPage(m_dc.get()) <= 0) {
        Abort();
        return JobStatus::Refused;
    }
    m_inPage = true;
    PrintSpace();
    return JobStatus::Ok;
}

void DefaultPrinterJob::PrintSpace() { TextOutW(m_dc.get(), 0, 0, L" ", 1); }

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

}  // namespace modPrintRTB
