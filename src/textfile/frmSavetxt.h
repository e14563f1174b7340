#pragma once
// The text-file window: saves the note's text to a text file (save mode, menu
// command 101) or opens a text file into the note (open mode, command 111), in
// a folder the user may choose. One window per process, modeless.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/TwipsLayout.h"
#include "platform/handles.h"
#include "textfile/clsFindFile.h"

class frmSavetxt {
public:
    static constexpr std::int16_t kSaveMode = 101;
    static constexpr std::int16_t kOpenMode = 111;

    // The folder picker the "Folder Browser" click calls (modBrowser::BrowseForFolder);
    // tests may put another in its place.
    using FolderPicker = std::string (*)(HWND hwndOwner, std::string_view strTitle);
    static FolderPicker PickFolder;

    // The program's one text-file window. Show loads it in the mode of
    // MenuChoiceID when it is not loaded; a loaded window is only brought to
    // the front and keeps its mode.
    static frmSavetxt& Form();
    static void Show();

    frmSavetxt(const frmSavetxt&) = delete;
    frmSavetxt& operator=(const frmSavetxt&) = delete;
    ~frmSavetxt() = default;  // the window, if still there, goes with the process

    bool IsLoaded() const { return m_hwnd != nullptr; }
    HWND hWnd() const { return m_hwnd; }
    std::int16_t Mode() const { return m_intMode; }
    const std::string& Path() const { return m_strPath; }

    // Write the note's text and CR LF to m_strPath followed by the text of
    // Combo1: WriteFile as the whole file (created or replaced), AppendFile
    // after its end. Whenever nothing was written the old file, if any, is as
    // it was; an ANSI file that would lose characters of the note is left alone.
    enum class WriteResult { Written, Failed, WouldLoseCharacters };
    bool WriteFile();
    WriteResult AppendFile();
    // Adds the names of the files of strDir matching strPattern whose names end
    // in "txt" (folders left out) to Combo1's list; the count of its entries.
    std::int16_t FindFilesInSingleDir(std::string strDir, std::string_view strPattern);

    // Controls, in tab order: cmdBrowse, cmdSave, Label1, Combo1, Label2.
    HWND Label2 = nullptr;
    HWND Combo1 = nullptr;
    HWND Label1 = nullptr;
    HWND cmdBrowse = nullptr;
    HWND cmdSave = nullptr;

private:
    frmSavetxt() = default;
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

    bool Create();
    void CreateControls();
    void FitComboHeight();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnLoad();
    void cmdBrowse_Click();
    void cmdSave_Click();
    void SaveClickSteps();
    void OpenFile(const std::string& path);
    void SaveFile(const std::string& path);
    void ListSavedFiles();
    void OnActivate(bool active);
    void OnNcDestroy();
    void Unload();

    std::string ComboText() const;
    std::string FirstListEntry() const;
    std::string FilePath() const { return m_strPath + ComboText(); }

    HWND m_hwnd = nullptr;  // owned: destroyed by Unload or the caption's close box
    HWND m_focus = nullptr;  // borrowed: the child that had the focus when the window was left
    unique_hbrush m_comboBrush;
    unique_hfont m_font;
    CTwipsLayout m_layout;
    int m_dpi = 96;
    std::int16_t m_intMode = 0;
    std::string m_strPath;
    std::unique_ptr<clsFindFile> m_FindFile;
};
