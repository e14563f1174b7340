// The note on a screen of 144 dots per inch: every length of its face grows by
// half, and its hit regions follow. Run with the system set to 144 dpi.
#include <gtest/gtest.h>

#include <richedit.h>

#include "mail/frmSendEmail.h"
#include "menu/menu_commands.h"
#include "platform/win/dpi.h"
#include "support/menu_catcher.h"
#include "support/note_fixture.h"
#include "support/readers.h"
#include "textfile/frmSavetxt.h"

using namespace std::chrono_literals;

namespace {

using testsupport::PlaceOf;

constexpr int kDpi = 144;

void ExpectClientSize(HWND window, LONG width, LONG height) {
    ASSERT_TRUE(IsWindow(window));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, width);
    EXPECT_EQ(client.bottom, height);
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

class NoteAt144Dpi : public testsupport::NoteFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(ui::SystemDpi(), kDpi) << "run with the system set to 144 dots per inch";
        NoteFixture::SetUp();
        testsupport::Pump(50ms);
    }
};

TEST_F(NoteAt144Dpi, SizePlaceAndRegionsScale) {
    RECT client{};
    GetClientRect(note.hWnd(), &client);
    EXPECT_EQ(client.right, 452);  // 4515 twips
    EXPECT_EQ(client.bottom, 294);  // 2940 twips
    POINT origin{0, 0};
    ClientToScreen(note.hWnd(), &origin);
    EXPECT_EQ(origin.x, 503);
    EXPECT_EQ(origin.y, 306);
    EXPECT_EQ(note.TitleRect, (Rect{30, 2, 393, 26}));
    EXPECT_EQ(note.CloseRect, (Rect{423, 2, 450, 26}));
    EXPECT_EQ(note.SizeGripRect, (Rect{431, 273, 452, 294}));
    const RECT area = PlaceOf(note.rtbMain.hWnd());
    EXPECT_EQ(area.left, 15);
    EXPECT_EQ(area.top, 34);
    EXPECT_EQ(area.right, 452 - 8);
    EXPECT_EQ(IconWidth(note.NoteIcon.get()), 24);
    EXPECT_EQ(IconWidth(note.SizeGripIcon.get()), 18);
}

TEST_F(NoteAt144Dpi, FaceIsPaintedAtScale) {
    const testsupport::Pixels face = testsupport::CaptureClient(note.hWnd());
    ASSERT_EQ(face.width, 452);
    const COLORREF strip = GetSysColor(COLOR_ACTIVECAPTION);
    EXPECT_EQ(face.at(30, 2), strip);
    EXPECT_EQ(face.at(452 - 60, 25), strip);
    EXPECT_NE(face.at(452 - 59, 10), strip);
    for (int x = 8; x <= 452 - 8; x += 4) EXPECT_EQ(face.at(x, 294 - 27), RGB(255, 255, 0)) << x;
    EXPECT_EQ(face.at(2 + 9, 2 + 13), RGB(255, 255, 0));  // the note pad's sheet, drawn at 24 pixels
}

TEST_F(NoteAt144Dpi, MenuOpensUnderTheScaledIcon) {
    RECT window{};
    GetWindowRect(note.hWnd(), &window);
    const RECT where = testsupport::MenuOpenedBy(
        [&] { SendMessageA(note.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15)); });
    EXPECT_EQ(where.left, window.left + 3);
    EXPECT_EQ(where.top, window.top + 30);
}

TEST_F(NoteAt144Dpi, TheOtherWindowsKeepTheirTwipsLayout) {
    note.HandleMenuCommand(cmd::EmailTo);
    note.HandleMenuCommand(cmd::SaveAs);
    const frmSendEmail& mail = frmSendEmail::Instance();
    const frmSavetxt& text = frmSavetxt::Instance();
    const struct {
        HWND window, control;
        LONG width, height;  // of the window's client area
        RECT place;          // of the control
    } windows[] = {
        // 4830 x 6285 twips; the To box at 1320, 120, 3015 x 375 twips
        {mail.hWnd(), mail.txtMainAddresses, 483, 629, {132, 12, 434, 50}},
        // 5730 x 2010 twips; "Save..." at 4440, 1200, 1215 x 495 twips
        {text.hWnd(), text.cmdSave, 573, 201, {444, 120, 566, 170}},
    };
    for (const auto& w : windows) {
        ExpectClientSize(w.window, w.width, w.height);
        const RECT place = PlaceOf(w.control);
        EXPECT_TRUE(EqualRect(&place, &w.place))
            << place.left << "," << place.top << " " << place.right << "," << place.bottom;
        SendMessageW(w.window, WM_CLOSE, 0, 0);
    }
}

// Mended: the new font of a change of scale reset the text area's character
// formats, and the text turned the control's default black.
TEST_F(NoteAt144Dpi, TextKeepsItsColourWhenTheScaleChanges) {
    note.rtbMain.SetText(L"typed text");
    note.HandleMenuCommand(2204);  // yellow text
    RECT suggested{};
    GetWindowRect(note.hWnd(), &suggested);
    SendMessageW(note.hWnd(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    for (const WPARAM which : {WPARAM{SCF_DEFAULT}, WPARAM{SCF_SELECTION}}) {
        SCOPED_TRACE(which);
        SendMessageW(note.rtbMain.hWnd(), EM_SETSEL, 0, -1);
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        SendMessageW(note.rtbMain.hWnd(), EM_GETCHARFORMAT, which, reinterpret_cast<LPARAM>(&format));
        EXPECT_TRUE(format.dwMask & CFM_COLOR);
        EXPECT_FALSE(format.dwEffects & CFE_AUTOCOLOR);
        EXPECT_EQ(format.crTextColor, RGB(255, 255, 0));
    }
}

int MonitorAt96(HWND) { return 96; }

// Mended: each frame was measured at the system's dots per inch while its face
// took the monitor's, so on a monitor of another scale the text-file window cut
// off its buttons and the other two came out the wrong size.
class MonitorOfAnotherScale : public testsupport::NoteFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(ui::SystemDpi(), kDpi);
        ui::WindowDpi = &MonitorAt96;
        NoteFixture::SetUp();
    }
    void TearDown() override { ui::WindowDpi = saved_; }
    int (*saved_)(HWND) = ui::WindowDpi;
};

TEST_F(MonitorOfAnotherScale, EachWindowMeasuresItsFrameForItsMonitor) {
    note.HandleMenuCommand(cmd::SaveAs);
    note.HandleMenuCommand(cmd::EmailTo);
    const struct {
        HWND window;
        LONG width, height;
    } windows[] = {
        {note.hWnd(), 301, 196},                      // 4515 x 2940 twips
        {frmSavetxt::Instance().hWnd(), 382, 134},        // 5730 x 2010 twips
        {frmSendEmail::Instance().hWnd(), 322, 419},  // 4830 x 6285 twips
    };
    for (const auto& w : windows) ExpectClientSize(w.window, w.width, w.height);
    for (HWND button : {frmSavetxt::Instance().cmdBrowse, frmSavetxt::Instance().cmdSave}) {
        const RECT r = PlaceOf(button);
        EXPECT_LE(r.right, 382);
        EXPECT_LE(r.bottom, 134);
    }
    SendMessageW(frmSavetxt::Instance().hWnd(), WM_CLOSE, 0, 0);
    SendMessageW(frmSendEmail::Instance().hWnd(), WM_CLOSE, 0, 0);
}

}  // namespace
