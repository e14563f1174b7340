#pragma once
// The note's menu: the command ids and the one table its popup menu is built from.
#include <cstddef>

namespace cmd {

// Command ids of the note's menu; 0 means no choice.
enum : int {
    None = 0,
    NewNote = 100,
    SaveAs = 101,
    Delete = 102,
    EmailTo = 103,
    Cut = 104,
    Copy = 105,
    Paste = 106,
    Print = 107,
    Close = 108,
    SelectAll = 109,
    Minimize = 110,
    OpenFile = 111,
    BackColorMenu = 200,  // the submenus; their items are the colour ids of note_colors.h
    ForeColorMenu = 2200,
};

}  // namespace cmd

// One row of the menu: a command, a separator (id 0, no caption), or a
// submenu whose rows follow it with their `parent` set to its id.
struct MenuRow {
    int id;
    const char* caption;
    int parent = 0;
    bool submenu = false;
};

// The note's menu, top to bottom.
inline constexpr MenuRow kNoteMenu[] = {
    {cmd::NewNote, "&New Note"},
    {cmd::None, ""},
    {cmd::SaveAs, "S&ave As..."},
    {cmd::OpenFile, "Open file..."},
    {cmd::Delete, "&Delete"},
    {cmd::EmailTo, "&Email To..."},
    {cmd::None, ""},
    {cmd::Cut, "Cu&t"},
    {cmd::Copy, "&Copy"},
    {cmd::Paste, "&Paste"},
    {cmd::SelectAll, "Select All"},
    {cmd::None, ""},
    {cmd::BackColorMenu, "BackC&olor", 0, true},
    {201, "&Blue", cmd::BackColorMenu},
    {202, "&Green", cmd::BackColorMenu},
    {203, "&Pink", cmd::BackColorMenu},
    {204, "&Yellow", cmd::BackColorMenu},
    {205, "&White", cmd::BackColorMenu},
    {206, "&Black", cmd::BackColorMenu},
    {cmd::ForeColorMenu, "ForeC&olor", 0, true},
    {2201, "&Blue", cmd::ForeColorMenu},
    {2202, "&Green", cmd::ForeColorMenu},
    {2203, "&Pink", cmd::ForeColorMenu},
    {2204, "&Yellow", cmd::ForeColorMenu},
    {2205, "&White", cmd::ForeColorMenu},
    {2206, "&Black", cmd::ForeColorMenu},
    {cmd::None, ""},
    {cmd::Print, "Pr&int..."},
    {cmd::Minimize, "Minimize"},
    {cmd::Close, "C&lose"},
};
