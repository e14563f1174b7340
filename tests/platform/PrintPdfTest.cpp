// "Pr&int..." on the real default printer: a CUPS queue that writes PDFs into
// the folder named by SCRIVLET_PDF_DIR (a Linux path). The PDFs are read with
// poppler's pdftotext and pdftoppm, which Wine starts like any program when
// given their Linux path.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "menu/menu_commands.h"
#include "support/dialog_script.h"
#include "support/note_fixture.h"
#include "support/readers.h"

namespace {

using namespace std::chrono_literals;

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// The Linux folder and its name as this program sees it.
std::string UnixFolder() { return Env("SCRIVLET_PDF_DIR"); }
std::string WinPath(const std::string& unix) {
    std::string p = "Z:" + unix;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

std::set<std::string> PdfFiles() {
    std::set<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE find = FindFirstFileA((WinPath(UnixFolder()) + "\\Scrivlet_note-job_*.pdf").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.insert(found.cFileName);
    while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

// The name of the first finished PDF that was not there `before`, or empty.
std::string WaitForNewPdf(const std::set<std::string>& before) {
    std::string name;
    testsupport::PumpUntil(
        [&] {
            for (const std::string& n : PdfFiles()) {
                if (before.count(n)) continue;
                const std::string data = testsupport::ReadBytes(WinPath(UnixFolder() + "/" + n));
                if (data.size() > 8 && data.find("%%EOF", data.size() - 8) != std::string::npos) {
                    name = n;
                    return true;
                }
            }
            return false;
        },
        60s);
    return name;
}

bool Exists(const std::string& unixPath) {
    return GetFileAttributesA(WinPath(unixPath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Runs a Linux command through /bin/sh that writes `output`, and waits until
// the file is there. Wine starts Linux programs by their path but gives back no
// process to wait for, so the command writes elsewhere and renames the file
// when done, or leaves `output`.failed.
bool RunLinux(const std::string& command, const std::string& output) {
    const std::string part = output + ".part";
    std::string line = "/bin/sh -c \"rm -f '" + output + "'; " + command + " '" + part + "' && mv '" + part + "' '" +
                       output + "' || touch '" + output + ".failed'\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    testsupport::PumpUntil([&] { return Exists(output) || Exists(output + ".failed"); }, 60s);
    return Exists(output);
}

struct Word {
    double xMin, yMin, xMax, yMax;
    std::string text;
};
struct Page {
    double width = 0, height = 0;
    std::vector<Word> words;
};

// The pages of a PDF with each word and its box, in points from the top-left corner.
std::vector<Page> ReadPages(const std::string& pdf) {
    const std::string unixPdf = UnixFolder() + "/" + pdf;
    const std::string out = unixPdf + ".html";
    EXPECT_TRUE(RunLinux("/usr/bin/pdftotext -bbox '" + unixPdf + "'", out)) << "pdftotext read no " << pdf;
    const std::string html = testsupport::ReadBytes(WinPath(out));
    std::vector<Page> pages;
    const std::regex element(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), element); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        if (m[1].matched) {
            pages.push_back({std::stod(m[1]), std::stod(m[2]), {}});
        } else if (!pages.empty()) {
            pages.back().words.push_back({std::stod(m[3]), std::stod(m[4]), std::stod(m[5]), std::stod(m[6]), m[7]});
        }
    }
    return pages;
}

// The darkest grey (0 black to 255 white) inside a box of page one, in points.
int DarkestIn(const std::string& pdf, double left, double top, double right, double bottom) {
    const std::string unixPrefix = UnixFolder() + "/" + pdf + "-page";
    // pdftoppm adds ".pgm" to the name it is given.
    EXPECT_TRUE(RunLinux("/usr/bin/pdftoppm -r 72 -gray -singlefile -f 1 -l 1 '" + UnixFolder() + "/" + pdf +
                             "' '" + unixPrefix + "' && mv '" + unixPrefix + ".pgm'",
                         unixPrefix + "-gray.pgm"))
        << "pdftoppm drew no " << pdf;
    const std::string pgm = testsupport::ReadBytes(WinPath(unixPrefix + "-gray.pgm"));
    std::istringstream header(pgm);
    std::string magic;
    int width = 0, height = 0, maxval = 0;
    header >> magic >> width >> height >> maxval;
    const size_t start = static_cast<size_t>(header.tellg()) + 1;
    if (magic != "P5" || pgm.size() < start + static_cast<size_t>(width) * height) return 256;
    int darkest = 255;
    for (int y = std::max(0, int(top)); y < std::min(height, int(bottom) + 1); ++y)
        for (int x = std::max(0, int(left)); x < std::min(width, int(right) + 1); ++x)
            darkest = std::min(darkest, int(static_cast<unsigned char>(pgm[start + size_t(y) * width + x])));
    return darkest;
}

std::vector<std::string> Words(const std::wstring& text) {
    std::vector<std::string> words;
    std::string current;
    for (const wchar_t c : text + L" ") {
        if (c == L' ' || c == L'\r' || c == L'\n') {
            if (!current.empty()) words.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(c);
        }
    }
    return words;
}

std::vector<std::string> Words(const std::vector<Page>& pages) {
    std::vector<std::string> words;
    for (const Page& p : pages)
        for (const Word& w : p.words) words.push_back(w.text);
    return words;
}

class PrintNoteTest : public testsupport::NoteFixture {
protected:
    void SetUp() override {
        if (UnixFolder().empty()) GTEST_SKIP() << "SCRIVLET_PDF_DIR names no folder of a PDF printer";
        NoteFixture::SetUp();
    }

    // Prints the note as the user does, answering Yes; returns the job's PDF.
    std::string PrintWithYes() {
        const std::set<std::string> before = PdfFiles();
        {
            DialogScript boxes({}, DialogScript::Press(IDYES));
            note.HandleMenuCommand(cmd::Print);
            EXPECT_EQ(boxes.seen().size(), 1u);
            if (!boxes.seen().empty()) {
                EXPECT_EQ(boxes.seen()[0].caption, "Is Printer Ready to Print?");
                EXPECT_EQ(boxes.seen()[0].text, "Is your Printer On... with Paper?");
                EXPECT_TRUE(boxes.seen()[0].hadButton);
            }
        }
        const std::string pdf = WaitForNewPdf(before);
        EXPECT_FALSE(pdf.empty()) << "no PDF appeared";
        return pdf;
    }
};

TEST_F(PrintNoteTest, AnEmptyNoteGivesOneBlankPage) {
    note.rtbMain.SetText(L"");
    const std::string pdf = PrintWithYes();
    ASSERT_FALSE(pdf.empty());
    const std::vector<Page> pages = ReadPages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].words.empty());
}

TEST_F(PrintNoteTest, ANoteThatFitsIsOnePageOneInchFromTheEdgesInDarkText) {
    const std::wstring text =
        L"Buy milk, bread and eggs on the way home.\r\nCall the garage about the brakes before Friday.\r\n\r\n"
        L"A paragraph long enough to wrap at the right margin of the sheet, so that the words go on to a second "
        L"line without any of them being lost or printed twice on the way.";
    note.rtbMain.SetText(text);
    note.ApplyForeColor(note.ForeColorID);  // white text on the black note
    note.rtbMain.SetSelStart(5);
    note.rtbMain.SetSelLength(3);
    HWND child = GetWindow(note.hWnd(), GW_CHILD);
    int childrenBefore = 0;
    for (; child; child = GetWindow(child, GW_HWNDNEXT)) ++childrenBefore;

    const std::string pdf = PrintWithYes();
    ASSERT_FALSE(pdf.empty());
    const std::vector<Page> pages = ReadPages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Words(pages), Words(text));
    ASSERT_FALSE(pages[0].words.empty());
    const Word& first = pages[0].words[0];
    EXPECT_NEAR(first.xMin, 72.0, 1.5);  // one inch is 72 points
    EXPECT_GE(first.yMin, 71.0);
    EXPECT_LE(first.yMin, 76.0);
    for (const Word& w : pages[0].words) {
        EXPECT_GE(w.xMin, 71.0) << w.text;
        EXPECT_LE(w.xMax, pages[0].width - 72.0 + 1.0) << w.text;
    }
    EXPECT_LT(DarkestIn(pdf, first.xMin, first.yMin, first.xMax, first.yMax), 100);

    // The note on the screen is untouched: text, selection, colour, and no window left behind.
    EXPECT_EQ(note.rtbMain.Text(), text);
    EXPECT_EQ(note.rtbMain.SelStart(), 5);
    EXPECT_EQ(note.rtbMain.SelLength(), 3);
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(note.rtbMain.hWnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.crTextColor, RGB(255, 255, 255));
    int childrenAfter = 0;
    for (child = GetWindow(note.hWnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++childrenAfter;
    EXPECT_EQ(childrenAfter, childrenBefore);
}

TEST_F(PrintNoteTest, ALongNoteGivesItsPagesInOrderWithNothingLostOrDoubled) {
    std::wstring text;
    for (int i = 1; i <= 220; ++i) {
        if (i > 1) text += L"\r\n";
        text += L"Line" + std::to_wstring(i) + L" of the long note, with words enough to wrap at the right edge"
                L" of the sheet and so fill the page a little faster.";
    }
    note.rtbMain.SetText(text);
    const std::string pdf = PrintWithYes();
    ASSERT_FALSE(pdf.empty());
    const std::vector<Page> pages = ReadPages(pdf);
    EXPECT_GE(pages.size(), 3u);
    EXPECT_EQ(Words(pages), Words(text));
    for (size_t i = 0; i < pages.size(); ++i) {
        ASSERT_FALSE(pages[i].words.empty()) << "page " << i + 1;
        EXPECT_NEAR(pages[i].words[0].xMin, 72.0, 1.5) << "page " << i + 1;
        EXPECT_LE(pages[i].words[0].yMin, 76.0) << "page " << i + 1;
        EXPECT_LE(pages[i].words.back().yMax, pages[i].height - 72.0 + 1.0) << "page " << i + 1;
    }
}

TEST_F(PrintNoteTest, AnsweringNoOrCancelOpensNoPrintJob) {
    note.rtbMain.SetText(L"not to be printed");
    const std::set<std::string> before = PdfFiles();
    for (const int answer : {IDNO, IDCANCEL}) {
        DialogScript boxes({}, DialogScript::Press(answer));
        note.HandleMenuCommand(cmd::Print);
        ASSERT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(boxes.seen()[0].caption, "Is Printer Ready to Print?");
        EXPECT_TRUE(boxes.seen()[0].hadButton);
    }
    // The queue prints in order: a job from No or Cancel would come out before this one.
    note.rtbMain.SetText(L"marker");
    const std::string pdf = PrintWithYes();
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(Words(ReadPages(pdf)), std::vector<std::string>{"marker"});
    testsupport::Pump(2s);
    std::set<std::string> added = PdfFiles();
    for (const std::string& n : before) added.erase(n);
    EXPECT_EQ(added, std::set<std::string>{pdf});
}

// Run with the printer queue removed (see print_no_printer in the tests' CMake file).
using PrintNoPrinter = testsupport::NoteFixture;

TEST_F(PrintNoPrinter, SaysSoAndPrintsNothing) {
    if (Env("SCRIVLET_EXPECT_NO_PRINTER").empty()) GTEST_SKIP() << "runs only without a printer";
    note.rtbMain.SetText(L"no printer");
    DialogScript boxes({}, DialogScript::Press(IDYES));
    note.HandleMenuCommand(cmd::Print);
    ASSERT_EQ(boxes.seen().size(), 2u);
    EXPECT_EQ(boxes.seen()[1].caption, "Scrivlet");
    EXPECT_EQ(boxes.seen()[1].text,
              "There is no default printer, so the note was not printed.\n\n"
              "Install a printer and make it the default printer, then try again.");
    EXPECT_EQ(note.rtbMain.Text(), L"no printer");
}

}  // namespace
