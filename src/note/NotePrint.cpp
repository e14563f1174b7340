// "Pr&int...": the note on the default printer after the user confirms.
#include "note/COutlookNote.h"
#include "platform/modPrintRTB.h"
#include "platform/win/message_boxes.h"

void COutlookNote::PrintNote() {
    const int answer =
        ui::MsgBox("Is your Printer On... with Paper?", MB_YESNOCANCEL | MB_ICONQUESTION, "Is Printer Ready to Print?");
    if (answer != IDYES) return;
    modPrintRTB::PrintRichText(rtbMain, 1440, 1440, 1440, 1440);
}
