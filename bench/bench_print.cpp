// Printing pages to the default printer: the note's PrintRichText against the
// same page loop drawing the same lines with bare GDI calls.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "bench_rows.h"
#include "note/COutlookNote.h"
#include "platform/text/ansi_text.h"
#include "platform/win/handles.h"
#include "platform/modPrintRTB.h"
#include "platform/print/print_layout.h"
#include "platform/win/units.h"

namespace bench {

namespace {

constexpr int kMargin = 1440;  // one inch on every side, as the note prints
constexpr char kFloorDocument[] = "Scrivlet floor";

std::string DefaultPrinter() {
    DWORD size = 0;
    GetDefaultPrinterA(nullptr, &size);
    if (size == 0) return {};
    std::string name(size, '\0');
    if (!GetDefaultPrinterA(name.data(), &size)) return {};
    name.resize(std::min(name.find('\0'), name.size()));
    return name;
}

// The drawing rectangle in device pixels and the height of a line of the
// note's font on the device, as the note's own page layout finds them.
struct PageGeometry {
    RECT box{};
    int lineHeight = 1;
    int LinesPerPage() const { return std::max(1, static_cast<int>((box.bottom - box.top) / lineHeight)); }
};

// The note's 8.25-point face, or the TrueType face the note prints with where the device lacks it.
unique_hfont DeviceFont(HDC dc) {
    LOGFONTW lf{};
    lf.lfHeight = -std::max(1, TwipsToPixels(165, GetDeviceCaps(dc, LOGPIXELSY)));
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    lstrcpynW(lf.lfFaceName, L"Verdana", LF_FACESIZE);
    unique_hfont font(CreateFontIndirectW(&lf));
    const HGDIOBJ old = SelectObject(dc, font.get());
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    if (lstrcmpiW(face, L"Verdana") != 0) {
        lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
        font.reset(CreateFontIndirectW(&lf));
    }
    return font;
}

PageGeometry MeasurePage(HDC dc, HFONT font) {
    print_layout::DeviceMetrics m;
    m.logPixelsX = GetDeviceCaps(dc, LOGPIXELSX);
    m.logPixelsY = GetDeviceCaps(dc, LOGPIXELSY);
    m.physicalWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
    m.physicalHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
    m.printableWidth = GetDeviceCaps(dc, HORZRES);
    m.printableHeight = GetDeviceCaps(dc, VERTRES);
    m.offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    m.offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    const print_layout::PrintGeometry g = print_layout::ComputePrintGeometry(m, kMargin, kMargin, kMargin, kMargin);
    PageGeometry page;
    page.box = {TwipsToPixels(g.rc.left, m.logPixelsX),
                TwipsToPixels(g.rc.top, m.logPixelsY),
                TwipsToPixels(g.rc.right, m.logPixelsX),
                TwipsToPixels(g.rc.bottom, m.logPixelsY)};
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    page.lineHeight = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
    return page;
}

// The floor: one job, a blank opening each page as the note's job does, and
// the lines drawn page by page.
void PrintFloor(const std::string& printer, const std::vector<std::wstring>& lines) {
    const unique_hdc dc(CreateDCA("WINSPOOL", printer.c_str(), nullptr, nullptr));
    if (!dc) return;
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = kFloorDocument;
    if (StartDocA(dc.get(), &info) <= 0) return;
    StartPage(dc.get());
    TextOutA(dc.get(), 0, 0, " ", 1);
    const unique_hfont font = DeviceFont(dc.get());
    const PageGeometry page = MeasurePage(dc.get(), font.get());
    const int perPage = page.LinesPerPage();
    for (std::size_t first = 0; first < lines.size(); first += static_cast<std::size_t>(perPage)) {
        if (first > 0) {
            EndPage(dc.get());
            StartPage(dc.get());
            TextOutA(dc.get(), 0, 0, " ", 1);
        }
        const int saved = SaveDC(dc.get());
        SelectObject(dc.get(), font.get());
        SetTextColor(dc.get(), RGB(0, 0, 0));
        SetBkMode(dc.get(), TRANSPARENT);
        int y = page.box.top;
        const std::size_t last = std::min(lines.size(), first + static_cast<std::size_t>(perPage));
        for (std::size_t i = first; i < last; ++i, y += page.lineHeight)
            ExtTextOutW(dc.get(), page.box.left, y, ETO_CLIPPED, &page.box, lines[i].data(),
                        static_cast<UINT>(lines[i].size()), nullptr);
        RestoreDC(dc.get(), saved);
    }
    EndPage(dc.get());
    EndDoc(dc.get());
}

// The queue's PDFs whose names start with `prefix`.
std::set<std::string> Pdfs(const std::string& folder, const std::string& prefix) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found{};
    const unique_hfind find(FindFirstFileA((folder + "\\" + prefix + "*.pdf").c_str(), &found));
    if (!find) return names;
    do names.insert(found.cFileName);
    while (FindNextFileA(find.get(), &found));
    return names;
}

// The page count a PDF declares (the largest /Count of its page trees).
int PdfPages(const std::string& data) {
    int pages = 0;
    for (std::size_t at = data.find("/Count "); at != std::string::npos; at = data.find("/Count ", at + 1))
        pages = std::max(pages, std::atoi(data.c_str() + at + 7));
    return pages;
}

// Waits (bounded) until the queue has finished the job's PDF, so that its
// conversion does not overlap the next run; returns its page count and deletes
// it, or 0 when none came.
int WaitForPdf(const std::string& folder, const std::string& prefix, const std::set<std::string>& before) {
    for (int tenth = 0; tenth < 1200; ++tenth) {
        for (const std::string& name : Pdfs(folder, prefix)) {
            if (before.count(name)) continue;
            const std::string path = folder + "\\" + name;
            std::ifstream in(path, std::ios::binary);
            const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (data.size() > 8 && data.find("%%EOF", data.size() - 8) != std::string::npos) {
                in.close();
                DeleteFileA(path.c_str());
                return PdfPages(data);
            }
        }
        Sleep(100);
    }
    return 0;
}

}  // namespace

void AddPrintRows(const Options& options, std::vector<Row>& rows) {
    const int pages = options.quick ? 3 : 200;
    const std::string measure = "Print " + std::to_string(pages) + " pages to the PDF queue";
    const std::string printer = DefaultPrinter();
    if (printer.empty()) {
        Progress("no default printer: printing not measured");
        rows.push_back({measure, Unit::Seconds, {}, {}, {}, "not measured: there is no default printer."});
        return;
    }
    // Lines that never wrap, as many as fill the pages exactly.
    int perPage = 1;
    {
        const unique_hdc dc(CreateDCA("WINSPOOL", printer.c_str(), nullptr, nullptr));
        if (dc) perPage = MeasurePage(dc.get(), DeviceFont(dc.get()).get()).LinesPerPage();
    }
    const std::vector<std::string> narrow = WordLines(static_cast<std::size_t>(pages * perPage), 60);
    std::vector<std::wstring> lines;
    std::wstring text;
    for (const std::string& line : narrow) {
        lines.push_back(ui::FromNarrow(line));
        if (!text.empty()) text += L"\r\n";
        text += lines.back();
    }

    COutlookNote note;
    if (!note.Create()) {
        Progress("the note could not be created: printing not measured");
        return;
    }
    Progress("filling the note with " + std::to_string(lines.size()) + " lines");
    note.rtbMain.SetText(text);
    PumpPending();

    std::string noteName = modPrintRTB::kDocumentName, floorName = kFloorDocument;
    std::replace(noteName.begin(), noteName.end(), ' ', '_');
    std::replace(floorName.begin(), floorName.end(), ' ', '_');
    std::set<int> notePages, floorPages;
    // A queue that writes elsewhere (its scheduler was set up for another folder) is not waited for twice.
    std::string pdfFolder = options.pdfFolder;
    const auto printed = [&](const std::string& prefix, std::set<int>& counts, const std::function<void()>& print,
                             const char* name) {
        const std::set<std::string> before =
            pdfFolder.empty() ? std::set<std::string>{} : Pdfs(pdfFolder, prefix);
        const double s = Seconds(print);
        std::string line = std::string(name) + ": " + FormatValue(s, Unit::Seconds);
        if (!pdfFolder.empty()) {
            const int n = WaitForPdf(pdfFolder, prefix + "-job_", before);
            counts.insert(n);
            line += n ? ", " + std::to_string(n) + " pages in the PDF" : ", no PDF came";
            if (n == 0) pdfFolder.clear();
        }
        Progress(line);
        PumpPending();
        return s;
    };
    std::vector<double> ours, floor;
    MeasurePair(
        options,
        [&] {
            return printed(noteName, notePages,
                           [&] { modPrintRTB::PrintRichText(note.rtbMain, kMargin, kMargin, kMargin, kMargin); },
                           "note PrintRichText");
        },
        [&] { return printed(floorName, floorPages, [&] { PrintFloor(printer, lines); }, "bare GDI page loop"); },
        ours, floor);

    std::string noteText = "the whole job, from opening it to `EndDoc`, on the queue \"" + printer + "\"";
    const auto pagesText = [](const std::set<int>& counts) {
        std::string t;
        for (int n : counts) t += (t.empty() ? "" : " or ") + std::to_string(n);
        return t.empty() ? std::string("unknown") : t;
    };
    if (!options.pdfFolder.empty())
        noteText += "; pages in the PDFs: Scrivlet " + pagesText(notePages) + ", floor " + pagesText(floorPages);
    rows.push_back({measure, Unit::Seconds, Summarize(ours), Summarize(floor), {GoalKind::RatioAtMost, 1.2},
                    noteText + "."});
}

}  // namespace bench
