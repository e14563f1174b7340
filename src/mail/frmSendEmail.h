#pragma once
// The e-mail composer: turns the note into a "mailto:" request that the system
// shell hands to the user's mail program. One program-wide instance, modeless.
#include <windows.h>
#include <commdlg.h>

#include <cstddef>
#include <string>

#include "platform/win/BaseWindow.h"
#include "platform/INoteText.h"
#include "platform/win/Form.h"
#include "platform/win/late_bound.h"
#include "platform/win/handles.h"

class frmSendEmail : public BaseWindow<frmSendEmail> {
public:
    // The single program-wide instance, made on first use.
    static frmSendEmail& Instance();

    // Loads the window for `note` when it is not loaded (Load runs: dated
    // subject, the note as body, the note's caret to its end) and shows it; a
    // loaded window only comes to the front.
    static void Show(INoteText& note);

    // Sets ActualFileName from FileAttachment.
    void FindActualFileName();

    // The open-file dialog the attach button shows; tests may put their own here.
    using OpenFileDialogFn = decltype(&::GetOpenFileNameA);
    static inline OpenFileDialogFn OpenFileDialog = &late::GetOpenFileNameA;

    // The record size given to the dialog: the form without the three trailing
    // fields of later systems (76 bytes on 32-bit Windows).
    static constexpr DWORD kOpenFileNameSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);

    // The longest URL handed to the shell of the system the program runs on.
    static std::size_t UrlLimit();

    // Full path of the file last chosen with the attach button, and its file-name part
    // (in the narrow calls' code page).
    std::string FileAttachment;
    std::string ActualFileName;

    // The controls: child windows, destroyed with the window.
    HWND Label1[5] = {};
    HWND txtMainAddresses = nullptr;
    HWND txtCC = nullptr;
    HWND txtBCC = nullptr;
    HWND txtSubject = nullptr;
    HWND txtmessage = nullptr;
    HWND cmdFileAttached = nullptr;
    HWND txtAttachmentFileLocation = nullptr;
    HWND cmdSendIt = nullptr;

private:
    friend class BaseWindow<frmSendEmail>;
    frmSendEmail() = default;
    ~frmSendEmail() = default;  // the window, if still open, ends with the process

    bool Create();
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

    bool OnCreate();
    void OnLoad(INoteText& note);
    void OnCommand(int id, int notification);
    void OnActivate(HWND previous);
    void OnAttachClick();
    void OnSendClick();
    LRESULT OnCtlColor(UINT msg, HDC dc, HWND control);
    LRESULT OnGetDefId();
    void OnNextDlgCtl(WPARAM wp, LPARAM lp);
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnDestroy();
    void OnNcDestroy();

    void MakeFonts();
    int Px(int twips) const { return TwipsToPixels(twips, m_dpi); }
    int Message(const char* text, UINT flags) const;

    int m_dpi = 96;
    bool m_activated = false;  // since the window was loaded
    CForm m_form;
    unique_hfont m_defaultFont, m_boldFont;
};
