#pragma once
// The note: the program's one permanent window, a rich-text area between a
// painted title strip and a painted date line, with a popup menu of commands.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "menu/CPopupMenu.h"
#include "note/modMain.h"
#include "note/note_parts.h"
#include "platform/win/BaseWindow.h"
#include "platform/INoteText.h"
#include "platform/RichTextBox.h"
#include "platform/win/handles.h"

class CNoteAccessible;
class CNoteRecovery;
// Cuts the note's accessible object off from the note and drops the note's reference.
struct CNoteAccessibleRelease {
    void operator()(CNoteAccessible* object) const;
};

class COutlookNote : public BaseWindow<COutlookNote>, public INoteText {
public:
    COutlookNote();
    ~COutlookNote();
    COutlookNote(const COutlookNote&) = delete;
    COutlookNote& operator=(const COutlookNote&) = delete;

    // Creates the window, runs the load steps, then shows, lays out and paints it;
    // then it offers the text of a note that ended without being closed.
    bool Create();

    // Asks the exit question; on Yes stores the colours, frees the icons and
    // the menu and closes the window. Returns false when the user cancelled.
    bool Unload();
    std::string GetComputer() const;
    void HandleMenuCommand(int id);

    void LoadColors();
    void SaveColors();
    void ApplyBackColor(int id);
    void ApplyForeColor(int id);

    void LocateProgram();
    void NewNote();

    void MinimizeNote();
    void PrintNote();

    // Opens the popup menu under the menu icon, as a click on the icon does.
    void OpenMenuUnderIcon();
    // Runs a part's action from the note's own message loop, after the caller has returned.
    void PostPartAction(PartAction action);

    std::int32_t ForeColorID = 0;
    std::int32_t BackColorID = 0;
    std::string LocationOfScrivlet;
    std::string TitleText;
    unique_hicon NoteIcon, SizeGripIcon, CloseIcon, MinIcon;
    std::unique_ptr<CPopupMenu> NoteMenu;
    Rect TitleRect, MenuIconRect, DateRect, CloseRect, SizeGripRect, MinRect;
    // The result of the last minimize notice.
    std::int32_t LastNoticeAnswer = 0;

    CRichTextBox rtbMain;

    // The note's text, as the text-file and e-mail windows see it.
    bool IsOpen() const override { return IsWindow(rtbMain.hWnd()) != FALSE; }
    std::wstring Text() const override { return rtbMain.Text(); }
    bool ReplaceText(std::wstring_view text) override;
    void MoveCaretToEnd() override { rtbMain.SetSelStart(rtbMain.TextLength()); }

    // The painted title strip's and date line's text font, shared with the text area.
    HFONT Font() const { return m_font.get(); }
    std::string DateLineText() const;
    // The date line as last painted.
    const std::string& DateLineShown() const { return m_dateShown; }

private:
    friend class BaseWindow<COutlookNote>;
    static constexpr UINT kPartActionMessage = WM_APP + 1;  // wParam: the PartAction
    static constexpr wchar_t kStartText[] = L"Click on the note pad above for Options!";

    static LRESULT CALLBACK TextAreaKeys(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

    bool OnCreate();
    void OnLoad();
    void OnSize();
    void OnPaint();
    void OnEraseBackground(HDC dc);
    void OnMouseDown(int button, double x, double y);
    void OnMouseUp(int button, double x, double y);
    void OnKeyPress(std::int16_t keyAscii);
    void OnNcDestroy();
    // Logging off: the exit question, answered before the session may end.
    bool OnQueryEndSession();
    void OnEndSession(bool ending);
    void OnDpiChanged(int dpi, const RECT& suggested);
    bool OnContextMenu(LPARAM lp);
    LRESULT OnGetObject(WPARAM flags, LPARAM objectId);
    void OnPartAction(PartAction action);

    bool AskToExit();
    // Frees the icons and the menu and destroys the window.
    void CloseAfterYes();
    void LoadIcons();
    void MakeFont();
    void BuildMenu();
    void PaintChrome(HDC dc);
    void SetWindowBackColor(COLORREF color);

    // A length in pixels at 96 dots per inch, for this window's dots per inch.
    int Scale(int pixels) const;

    int m_dpi = 96;
    bool m_sessionExitAgreed = false;  // Yes was answered when the session asked to end
    bool m_asking = false;             // the exit question is up
    WNDPROC m_textAreaProc = nullptr;  // the text area's procedure before the note's key hook
    unique_hfont m_font;
    unique_hbrush m_backBrush;
    std::string m_dateShown;
    std::unique_ptr<CNoteAccessible, CNoteAccessibleRelease> m_accessible;  // made on the first request
    std::unique_ptr<CNoteRecovery> m_recovery;  // the text's recovery copy, made with the window
};
