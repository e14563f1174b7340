#pragma once
// The text-file window: saves the note's text to a text file (save mode, the
// "Save As" command) or opens a text file into the note (open mode, the "Open
// file" command), in a folder the user may choose. One window per process, modeless.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "menu/menu_commands.h"
#include "platform/win/BaseWindow.h"
#include "platform/INoteText.h"
#include "platform/win/Form.h"
#include "platform/win/handles.h"
#include "platform/text_files.h"
#include "textfile/clsFindFile.h"

class frmSavetxt : public BaseWindow<frmSavetxt> {
public:
    static constexpr std::int16_t kSaveMode = cmd::SaveAs;
    static constexpr std::int16_t kOpenMode = cmd::OpenFile;

    // The folder picker the "Folder Browser" click calls (modBrowser::BrowseForFolder);
    // tests may put another in its place.
    using FolderPicker = std::string (*)(HWND hwndOwner, std::string_view strTitle);
    static FolderPicker PickFolder;

    // The program's one text-file window. Show loads it for `note` in the mode
    // of the command `mode` (save unless it is the open command) when it is not
    // loaded; a loaded window is only brought to the front and keeps its mode.
    static frmSavetxt& Instance();
    static void Show(int mode, INoteText& note);

    ~frmSavetxt() = default;  // the window, if still there, goes with the process


    // Write the note's text and CR LF to m_strPath followed by the text of
    // Combo1: WriteFile as a new whole file, OverwriteFile over an existing
    // one in its own encoding, AppendFile after its end in the file's own
    // encoding; the file then reads back as the text written (after its old
    // text). Whenever nothing was written the old file, if any, is as it was;
    // an ANSI file that would lose or change characters of the note, and a
    // UTF-16 or UTF-32 file cut inside a unit (Failed), are left alone.
    enum class WriteResult { Written, Failed, WouldLoseCharacters };
    bool WriteFile();
    WriteResult OverwriteFile();
    WriteResult AppendFile();
    // Adds the names of the files of strDir matching strPattern whose names end
    // in "txt" (folders left out) to Combo1's list; the count of its entries,
    // nothing when the list could not take a name.
    std::optional<std::int16_t> FindFilesInSingleDir(std::string strDir, std::string_view strPattern);

    // Controls, in tab order: cmdBrowse, cmdSave, Label1, Combo1, Label2.
    HWND Label2 = nullptr, Combo1 = nullptr, Label1 = nullptr, cmdBrowse = nullptr, cmdSave = nullptr;

private:
    friend class BaseWindow<frmSavetxt>;
    frmSavetxt() = default;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

    bool Create(int mode);
    bool CreateControls();
    void FitComboHeight();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnLoad(int mode);
    void cmdBrowse_Click();
    void cmdSave_Click();
    void SaveClickSteps();
    void OpenFile(const std::string& path);
    void SaveFile(const std::string& path);
    void ListSavedFiles();
    void OnActivate(bool active);
    void OnCommand(int id, int notification);
    void OnNcDestroy();
    void Unload();

    std::string ComboText() const;
    std::string FirstListEntry() const;
    std::string FilePath() const { return m_strPath + ComboText(); }
    // The note the window serves, or null once it has closed.
    INoteText* LiveNote() const { return m_note && m_note->IsOpen() ? m_note : nullptr; }

    INoteText* m_note = nullptr;  // borrowed: the note the window serves
    CForm m_form;
    unique_hfont m_font;
    int m_dpi = 96;
    std::int16_t m_intMode = 0;
    std::string m_strPath;
    std::unique_ptr<clsFindFile> m_FindFile;
    files::KeptFiles m_kept;  // where the last failed write left texts it could not put back
};
