#pragma once
// The note's text area: a thin view of the system rich edit control with the
// few operations the note relies on.
#include <windows.h>
#include <richedit.h>

#include <string>
#include <string_view>

class CRichTextBox {
public:
    // Creates the control as a child of `parent`; its window is destroyed with the parent.
    bool Create(HWND parent, int id, HFONT font);
    HWND hWnd() const { return m_hwnd; }

    // The whole plain text with CR LF line breaks.
    std::wstring Text() const;
    // Replaces the whole content with plain text (nothing in it is read as
    // rich text), as one step of the control's undo, and puts the caret at the
    // start; false, with the old text back, when the control did not take
    // just that text.
    bool SetText(std::wstring_view text);
    // The text's length in the control's own character positions (a line break
    // counts one), the measure of selections and of printing.
    long TextLength() const;

    // Changes the font of all text; the text keeps its colour.
    void SetFont(HFONT font);
    void SetBackColor(COLORREF color);
    void SetSelStart(long position);   // collapses the selection there
    void SetSelLength(long length);    // selects from the selection start
    void SetSelColor(COLORREF color);  // text colour of the selection
    // The colour of text that replaces the whole content later (typed into an
    // emptied control, or set as a whole); text already there keeps its colour.
    void SetTextColor(COLORREF color);
    long SelStart() const;
    long SelLength() const;

    // Places the control; a negative width or height leaves it where it was.
    bool Move(int left, int top, int width, int height);

    // EM_FORMATRANGE: with a record and a nonzero wParam lays out and draws the
    // text from chrg.cpMin within rc on the record's device context and returns
    // the first position that did not fit (wParam 0: measures only); with no
    // record frees the control's cached layout. Wine's control lays out nothing.
    LRESULT FormatRange(WPARAM wParam, FORMATRANGE* range);

private:
    void ApplyTextColor();
    void SetSelection(long start, long end);
    // Whether the whole selection (SCF_SELECTION) or the default format (SCF_DEFAULT) has the text colour.
    bool HasTextColor(WPARAM scope = SCF_SELECTION) const;
    // The text colour of the characters `scope` names: SCF_SELECTION, SCF_DEFAULT or SCF_ALL.
    void SetColor(WPARAM scope, COLORREF color);

    HWND m_hwnd = nullptr;  // borrowed: a child window, destroyed with its parent
    bool m_hasTextColor = false;
    COLORREF m_textColor = 0;
};
