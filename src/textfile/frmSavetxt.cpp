#include "textfile/frmSavetxt.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "platform/win/late_bound.h"
#include "platform/text/ansi_text.h"
#include "platform/text_files.h"
#include "platform/win/dpi.h"
#include "platform/win/message_boxes.h"
#include "platform/win/program_windows.h"
#include "textfile/modBrowser.h"
#include "textfile/note_text_codec.h"
#include "textfile/txt_rules.h"

namespace {

constexpr char kClassName[] = "ScrivletSavetxt";
constexpr COLORREF kBlueBox = RGB(192, 192, 255);
// Control ids away from IDOK and IDCANCEL: neither button is a default or
// cancel button, so Enter and Esc click nothing.
constexpr int kLabel2Id = 1001;
constexpr int kCombo1Id = 1002;
constexpr int kLabel1Id = 1003;
constexpr int kBrowseId = 1004;
constexpr int kSaveId = 1005;
constexpr int kComboListItems = 8;
constexpr int kClientWidth = 5730, kClientHeight = 2010;  // twips

constexpr char kPathLabel[] = "The Current File Path is: ";
constexpr char kFileError[] = "File error! -- Can't use this file! or Drive!";
constexpr char kThreeOptions[] =
    "1. File already exits, Write over it?...............Select Yes \r\n\r\n"
    "2. Add (Append) to your existing file............Select No \r\n\r\n"
    "3. I want to create a New File (New Name) Select Cancel";

constexpr char kCannotKeep[] =
    "The note holds characters that this file's encoding cannot keep, so nothing was added to the file.\r\n\r\n"
    "Save the note as a new file instead.";

// The file error, and where any text that could not go back under the file's name is.
void FileErrorBox(const files::KeptFiles& kept = {}) {
    std::string text = kFileError;
    if (!kept.oldText.empty()) text += "\r\n\r\nThe file's old text is kept in:\r\n" + kept.oldText;
    if (!kept.newText.empty()) text += "\r\n\r\nThe note's text is kept in:\r\n" + kept.newText;
    ui::MsgBox(text, MB_OK | MB_ICONERROR, "File Error!");
}

// The note's wide text is UTF-16 on Windows: its units are the file's units.
static_assert(sizeof(wchar_t) == sizeof(char16_t));
std::wstring Wide(std::u16string_view text) { return {text.begin(), text.end()}; }
using ui::Units;

// The machine's own ANSI code page, for the text-file rules: the files keep it
// whatever code page the program's names and boxes use.
class MachineAnsi final : public txt::CodePage {
public:
    std::optional<std::string> Encode(std::u16string_view text) const override {
        bool lossy = false;
        std::string bytes = ui::ToMachineAnsi(Wide(text), &lossy);
        // No bytes for a non-empty text means the conversion itself failed.
        if (lossy || (bytes.empty() && !text.empty())) return std::nullopt;
        return bytes;
    }
    std::u16string Decode(std::string_view bytes) const override {
        const std::wstring text = ui::FromMachineAnsi(bytes);
        return {text.begin(), text.end()};
    }
};
const MachineAnsi kAnsi;

// Turns a control's drawing off for the life of the object.
class NoRedraw {
public:
    explicit NoRedraw(HWND hwnd) : hwnd_(hwnd) { SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0); }
    ~NoRedraw() { SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0); }
    NoRedraw(const NoRedraw&) = delete;
    NoRedraw& operator=(const NoRedraw&) = delete;

private:
    HWND hwnd_;
};

}  // namespace

frmSavetxt::FolderPicker frmSavetxt::PickFolder = &modBrowser::BrowseForFolder;

frmSavetxt& frmSavetxt::Instance() {
    static frmSavetxt form;
    return form;
}

void frmSavetxt::Show(int mode, INoteText& note) {
    frmSavetxt& form = Instance();
    form.m_note = &note;
    if (form.m_hwnd) ui::BringToFront(form.m_hwnd);
    else form.Create(mode);
}

bool frmSavetxt::Create(int mode) {
    // A caption with a close box, no minimize or maximize box, a fixed size.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_CONTROLPARENT;
    const RECT frame = ui::FrameForClient(kClientWidth, kClientHeight, style, exStyle, ui::SystemDpi());
    late::InitCommonControlsOnce();
    if (!CreateFrame(kClassName, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), exStyle, "", style, frame))
        return false;
    ui::FitFrameToWindowDpi(m_hwnd, kClientWidth, kClientHeight, true);
    OnLoad(mode);
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
    SetFocus(cmdBrowse);  // the lowest tab order
    UpdateWindow(m_hwnd);
    return true;
}

bool frmSavetxt::CreateControls() {
    m_dpi = ui::WindowDpi(m_hwnd);
    m_font.reset(ui::CreatePointFont("MS Shell Dlg", 800, false, m_dpi));  // the system's dialog font
    const Shade black = SystemShade(COLOR_WINDOWTEXT), blue = FixedShade(kBlueBox);
    // In tab order.
    const CForm::Row rows[] = {
        {&cmdBrowse, L"BUTTON", L"Folder Browser", WS_TABSTOP | BS_PUSHBUTTON, 0, kBrowseId, 4440, 120, 1215, 495, 0},
        {&cmdSave, L"BUTTON", L"Save...", WS_TABSTOP | BS_PUSHBUTTON, 0, kSaveId, 4440, 1200, 1215, 495, 0},
        {&Label1, L"STATIC", L"Type in the name  and specify a location to store your note.", SS_LEFT | SS_NOPREFIX, 0,
         kLabel1Id, 120, 1320, 3135, 495, 0},
        // A drop-down's window height includes its list; its closed height is set below.
        {&Combo1, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_SORT, 0, kCombo1Id,
         120, 840, 3135, 315 * (kComboListItems + 1), 0, black, blue, true},
        {&Label2, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, 0, kLabel2Id, 120, 120, 3975, 615, 0},
    };
    if (!m_form.Create(m_hwnd, m_dpi, rows, {m_font.get()})) return false;
    FitComboHeight();
    return true;
}

void frmSavetxt::FitComboHeight() {
    // The closed box is its selection field plus a border whose size the
    // control keeps to itself: grow or shrink the field until the box is 315 twips high.
    const int wanted = TwipsToPixels(315, m_dpi);
    for (int tries = 0; tries < 3; ++tries) {
        RECT closed{};
        GetWindowRect(Combo1, &closed);
        const int missing = wanted - (closed.bottom - closed.top);
        const LRESULT field = SendMessageA(Combo1, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        if (missing == 0 || field <= 0 || field + missing <= 0) break;
        SendMessageA(Combo1, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + missing);
    }
}

void frmSavetxt::OnDpiChanged(int dpi, const RECT& suggested) {
    m_dpi = dpi;
    m_font.reset(ui::CreatePointFont("MS Shell Dlg", 800, false, m_dpi));
    m_form.Relayout(m_dpi, {m_font.get()});
    FitComboHeight();
    MoveTo(suggested);
}

LRESULT frmSavetxt::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        if (!CreateControls()) return -1;
        ui::AddModelessWindow(m_hwnd);  // Tab moves between the controls
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp));
        return 0;
    case WM_CTLCOLOREDIT:     // the edit part of Combo1
    case WM_CTLCOLORLISTBOX:  // its drop-down list
        if (const HBRUSH brush = m_form.Paint(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wp) != WA_INACTIVE);
        return 0;
    case WM_CLOSE:
        Unload();  // no question
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    case WM_DESTROY:
        ui::RemoveModelessWindow(m_hwnd);
        return 0;
    }
    return DefWindowProcA(m_hwnd, msg, wp, lp);
}

void frmSavetxt::OnActivate(bool active) {
    if (!active) {
        m_form.Leave(m_hwnd);
        return;
    }
    const HWND focus = m_form.LastFocus();
    SetFocus(focus ? focus : cmdBrowse);
}

void frmSavetxt::OnCommand(int id, int notification) {
    if (notification != BN_CLICKED) return;
    switch (id) {
    case kBrowseId:
        cmdBrowse_Click();
        break;
    case kSaveId:
        cmdSave_Click();
        break;
    }
}

void frmSavetxt::OnNcDestroy() {
    m_note = nullptr;
    m_form.Clear();  // the children that drew with its brushes are gone
    m_font.reset();
}

void frmSavetxt::Unload() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

void frmSavetxt::OnLoad(int mode) {
    m_intMode = mode == kOpenMode ? kOpenMode : kSaveMode;
    m_FindFile.reset();  // nothing carries over from an earlier load
    m_strPath = ui::ProgramFolder() + "\\";  // appended without looking: a root gives "C:\\"
    SetWindowTextA(Label2, (kPathLabel + m_strPath).c_str());
    ListSavedFiles();
    if (m_intMode == kSaveMode) {
        SetWindowTextA(m_hwnd, "Save as Text File...");
        SetWindowTextA(cmdSave, "Save...");
    } else {
        SetWindowTextA(m_hwnd, "Open file...");
        SetWindowTextA(cmdSave, "Open...");
        SetWindowTextA(Combo1, FirstListEntry().c_str());
    }
}

std::string frmSavetxt::ComboText() const { return ui::WindowTextA(Combo1); }

std::string frmSavetxt::FirstListEntry() const {
    if (SendMessageW(Combo1, CB_GETCOUNT, 0, 0) <= 0) return {};
    // Wide: the copy has no bound, so the length must be that of the very text copied.
    const LRESULT length = SendMessageW(Combo1, CB_GETLBTEXTLEN, 0, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(Combo1, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return ui::ToNarrow(text);
}

void frmSavetxt::ListSavedFiles() {
    SetWindowTextA(Combo1, FirstListEntry().c_str());  // the list is empty here: this empties the box
    std::optional<std::int16_t> listed;
    {
        ui::WaitCursor wait;
        NoRedraw quiet(Combo1);
        listed = FindFilesInSingleDir(m_strPath, "*.txt");
    }
    RedrawWindow(Combo1, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    if (!listed)
        ui::MsgBox("No Previous Saved Text Files ", MB_OK | MB_ICONINFORMATION, "Type in a Name for your File!");
}

std::optional<std::int16_t> frmSavetxt::FindFilesInSingleDir(std::string strDir, std::string_view strPattern) {
    if (strDir.empty() || strDir.back() != '\\') strDir += '\\';
    if (!m_FindFile) m_FindFile = std::make_unique<clsFindFile>();
    for (std::string name = m_FindFile->Find(strDir + std::string(strPattern), false); !name.empty();
         name = m_FindFile->FindNext()) {
        // "*.txt" may also give folders and names such as "a.txtx".
        if ((m_FindFile->FileAttributes() & FILE_ATTRIBUTE_DIRECTORY) || !txt::EndsInTxt(name)) continue;
        const LRESULT added = SendMessageA(Combo1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (added == CB_ERR || added == CB_ERRSPACE) return std::nullopt;
    }
    const LRESULT count = SendMessageA(Combo1, CB_GETCOUNT, 0, 0);
    return static_cast<std::int16_t>(std::clamp<LRESULT>(count, 0, INT16_MAX));
}

void frmSavetxt::cmdBrowse_Click() {
    const std::string path = PickFolder(m_hwnd, "Please select a folder.");
    if (!m_hwnd) return;  // closed while the dialog was up
    if (path.empty()) {
        ui::MsgBox("No Drive or Folder was selected! ...", MB_OK | MB_ICONINFORMATION, "Selected None...");
        return;
    }
    const std::string candidate = path.back() == '\\' ? path : path + '\\';
    if (m_intMode == kSaveMode) {
        // Only the first character names the drive: a network path is never refused.
        const std::string root = std::string(1, path[0]) + ":\\";
        if (GetDriveTypeA(root.c_str()) == DRIVE_CDROM) {
            ui::MsgBox("You Can Not use the CD Rom Drive!", MB_OK | MB_ICONERROR, "Please select another path...");
            return;
        }
        ui::MsgBox("Now enter a file Name in the blue box, then press Save...", MB_OK | MB_ICONINFORMATION,
                   "Need File Name!");
        if (!m_hwnd) return;
    }
    m_strPath = candidate;
    SetWindowTextA(Label2, (kPathLabel + m_strPath).c_str());
    SendMessageA(Combo1, CB_RESETCONTENT, 0, 0);
    SetWindowTextA(Combo1, "");
    ListSavedFiles();
    SetFocus(Combo1);
    if (m_intMode == kOpenMode) SetWindowTextA(Combo1, FirstListEntry().c_str());
}

void frmSavetxt::cmdSave_Click() {
    // One failure handler for every step: any failure is told as a file error.
    try {
        SaveClickSteps();
    } catch (const std::exception&) {
        if (m_hwnd) FileErrorBox();
    }
}

void frmSavetxt::SaveClickSteps() {
    std::string name = ComboText();
    if (name.empty()) {
        ui::MsgBox("You must name the file!", MB_OK | MB_ICONERROR, "No file Name!");
        return;
    }
    if (!txt::EndsInTxt(name)) {
        name = txt::WithTxtEnding(name);
        SetWindowTextA(Combo1, name.c_str());  // the user sees the changed name
    }
    const std::string path = m_strPath + name;
    // A device name reaches the device whatever the folder: opening "nul" would empty the note.
    if (txt::NamesDevice(Units(ui::FromNarrow(name)))) {
        FileErrorBox();
        return;
    }
    if (m_intMode == kOpenMode) OpenFile(path);
    else SaveFile(path);
}

void frmSavetxt::OpenFile(const std::string& path) {
    // The whole file is read before the note changes: a failed read leaves it as it was.
    std::string bytes;
    FileStatus status;
    {
        ui::WaitCursor wait;
        status = files::ReadFileBytes(path, bytes);
    }
    // A missing file is an error here too: open mode never writes.
    INoteText* note = LiveNote();
    if (status != FileStatus::Ok || !note) {
        FileErrorBox();
        return;
    }
    bool whole = false;
    {
        ui::WaitCursor wait;
        whole = note->ReplaceText(Wide(txt::ReadTextFile(bytes, kAnsi)));
    }
    // Success is told only for the whole file.
    if (whole) Unload();
    else FileErrorBox();
}

void frmSavetxt::SaveFile(const std::string& path) {
    std::string none;
    const FileStatus exists = files::ReadFileHead(path, 0, none);  // opened for reading only to learn whether it exists
    if (exists == FileStatus::NotFound) {
        // A new file, without a question.
        if (WriteFile()) Unload();
        else FileErrorBox(std::exchange(m_kept, {}));
        return;
    }
    if (exists != FileStatus::Ok) {
        FileErrorBox();
        return;
    }
    const int answer = ui::MsgBox(kThreeOptions, MB_YESNOCANCEL | MB_ICONINFORMATION,
                                  "Use this file... " + ComboText() + "---- Select an Option! ");
    if (!m_hwnd) return;
    WriteResult result = WriteResult::Failed;
    switch (answer) {
    case IDYES:
        // The old file is replaced only once the new bytes are safely written.
        result = OverwriteFile();
        break;
    case IDNO:
        result = AppendFile();
        break;
    default:  // Cancel, Esc or the box's close button
        SetFocus(Combo1);
        return;
    }
    switch (result) {
    case WriteResult::Written:
        Unload();
        break;
    case WriteResult::Failed:
        FileErrorBox(std::exchange(m_kept, {}));
        break;
    case WriteResult::WouldLoseCharacters:
        ui::MsgBox(kCannotKeep, MB_OK | MB_ICONEXCLAMATION, "Cannot Add to this File!");
        break;
    }
}

bool frmSavetxt::WriteFile() {
    INoteText* note = LiveNote();
    if (!note) return false;
    ui::WaitCursor wait;
    const auto bytes = txt::EncodeNoteForNewFile(Units(note->Text()), kAnsi);
    return bytes && files::ReplaceFileBytes(FilePath(), *bytes, &m_kept) == FileStatus::Ok;
}

frmSavetxt::WriteResult frmSavetxt::OverwriteFile() {
    INoteText* note = LiveNote();
    if (!note) return WriteResult::Failed;
    ui::WaitCursor wait;
    const std::string path = FilePath();
    // The whole file: its encoding, UTF-8 without a mark above all, takes every byte.
    std::string old;
    switch (files::ReadFileBytes(path, old)) {
    case FileStatus::Ok:
        break;
    case FileStatus::NotFound:  // gone since the question: a new file
        return WriteFile() ? WriteResult::Written : WriteResult::Failed;
    case FileStatus::Failed:
        return WriteResult::Failed;
    }
    const auto bytes = txt::EncodeNoteForOverwrite(Units(note->Text()), old, kAnsi);
    return bytes && files::ReplaceFileBytes(path, *bytes, &m_kept) == FileStatus::Ok ? WriteResult::Written
                                                                                     : WriteResult::Failed;
}

frmSavetxt::WriteResult frmSavetxt::AppendFile() {
    INoteText* note = LiveNote();
    if (!note) return WriteResult::Failed;
    ui::WaitCursor wait;
    const std::string path = FilePath();
    const std::wstring noteText = note->Text();
    const std::u16string_view text = Units(noteText);
    const auto written = [](FileStatus status) {
        return status == FileStatus::Ok ? WriteResult::Written : WriteResult::Failed;
    };
    // The whole file: whether it is UTF-8 without a mark takes every byte.
    std::string old;
    switch (files::ReadFileBytes(path, old)) {
    case FileStatus::Ok:
        break;
    case FileStatus::NotFound:  // created when missing
        if (const auto bytes = txt::EncodeNoteForNewFile(text, kAnsi))
            return written(files::ReplaceFileBytes(path, *bytes, &m_kept));
        return WriteResult::Failed;
    case FileStatus::Failed:
        return WriteResult::Failed;
    }
    const txt::AppendBytes append = txt::EncodeNoteForAppend(text, old, kAnsi);
    switch (append.encoding) {
    case txt::AppendEncoding::Refuse:
        return WriteResult::WouldLoseCharacters;
    case txt::AppendEncoding::Broken:  // a UTF-16 or UTF-32 file cut inside a unit cannot be used
        return WriteResult::Failed;
    default:  // an empty file takes a new file's bytes, mark and all
        return written(files::AppendFileBytes(path, append.bytes, &m_kept));
    }
}
