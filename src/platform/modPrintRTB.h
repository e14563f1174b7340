#pragma once
// Printing the formatted text of a rich-text control page by page on the
// system's default printer.
#include "platform/print/print_job.h"

class CRichTextBox;

namespace modPrintRTB {

// Prints `control`'s text on the default printer with margins in twips
// measured from the sheet's edges, in black; the control itself is left
// untouched (see print_pages::NotePages).
void PrintRichText(CRichTextBox& control, int left, int top, int right, int bottom);

// The page loop itself, on any control and print job. Returns true when the
// whole document was printed, false when a failure, or a stop at a page that
// could not be laid out, was reported.
bool PrintRichText(FormatRangeControl& control, PrintJob& job, int left, int top, int right, int bottom);

}  // namespace modPrintRTB
