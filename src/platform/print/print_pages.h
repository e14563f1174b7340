#pragma once
// What a print job lays out of the note: the rich edit control's own pages
// where it can lay them out, otherwise pages laid out here with GDI from the
// note's text and its one font.
#include <windows.h>
#include <richedit.h>

#include <memory>
#include <string>

#include "platform/print/print_job.h"
#include "platform/win/handles.h"

class CRichTextBox;

namespace print_pages {

// The note's text laid out page by page with GDI in the FORMATRANGE record's
// rectangle: word wrap at the right edge, a page break at the bottom, black
// text in `format`'s face and size scaled for the device. Positions are the
// control's own (a paragraph break is one character).
class GdiPages final : public modPrintRTB::FormatRangeControl {
public:
    GdiPages(std::wstring text, const CHARFORMAT2W& format);

    long TextLength() override { return static_cast<long>(m_text.size()); }
    LRESULT FormatRange(WPARAM wParam, FORMATRANGE* range) override;

private:
    // The font and its line height on `dc`, made once for each device context.
    void PrepareFont(HDC dc);

    std::wstring m_text;
    CHARFORMAT2W m_format;
    HDC m_fontDc = nullptr;  // borrowed: the device context m_font was made for
    unique_hfont m_font;
    int m_lineHeight = 1;
};

// The note's pages for one print job. The first page decides how: where the
// control lays the pages out itself, a hidden copy whose text is black is laid
// out (the note on the screen keeps its colours); where it cannot, the note's
// text and font are read once and laid out with GdiPages. The note is left
// untouched either way.
class NotePages final : public modPrintRTB::FormatRangeControl {
public:
    explicit NotePages(CRichTextBox& note);
    ~NotePages() override;
    NotePages(const NotePages&) = delete;
    NotePages& operator=(const NotePages&) = delete;

    long TextLength() override { return m_length; }
    LRESULT FormatRange(WPARAM wParam, FORMATRANGE* range) override;

private:
    CRichTextBox& m_note;
    long m_length;
    std::unique_ptr<modPrintRTB::FormatRangeControl> m_pages;  // chosen at the first page
};

}  // namespace print_pages
