#pragma once
// The parts of the note's face as assistive technology meets them, in reading
// order: a part's child id is its row in the table plus one.
#include <array>
#include <cstdint>

#include "note/note_layout.h"

// Roles, numbered as Active Accessibility numbers them.
enum class PartRole : long { TitleBar = 0x01, Grip = 0x04, Client = 0x0A, StaticText = 0x29, PushButton = 0x2B };

// Where a part's name comes from.
enum class PartName { Fixed, TitleText, DateText, None, Control };

// What the part's default action does: what a left click on it does.
enum class PartAction { None, OpenMenu, Minimize, Close };

struct NotePart {
    const char* fixedName;  // the name when `name` is Fixed
    PartName name;
    PartRole role;
    Rect NoteLayout::*rect;  // null for the text area, a control that places and describes itself
    PartAction action;
};

inline constexpr std::array<NotePart, 7> kNoteParts{{
    {"Menu", PartName::Fixed, PartRole::PushButton, &NoteLayout::MenuIconRect, PartAction::OpenMenu},
    {nullptr, PartName::TitleText, PartRole::TitleBar, &NoteLayout::TitleRect, PartAction::None},
    {"Minimize", PartName::Fixed, PartRole::PushButton, &NoteLayout::MinRect, PartAction::Minimize},
    {"Close", PartName::Fixed, PartRole::PushButton, &NoteLayout::CloseRect, PartAction::Close},
    {nullptr, PartName::Control, PartRole::Client, nullptr, PartAction::None},
    {nullptr, PartName::DateText, PartRole::StaticText, &NoteLayout::DateRect, PartAction::None},
    {nullptr, PartName::None, PartRole::Grip, &NoteLayout::SizeGripRect, PartAction::None},
}};

inline constexpr long kNotePartCount = static_cast<long>(kNoteParts.size());
inline constexpr long kTextAreaChild = 5;
inline constexpr long kDateLineChild = 6;
static_assert(kNoteParts[kTextAreaChild - 1].name == PartName::Control);
static_assert(kNoteParts[kDateLineChild - 1].name == PartName::DateText);

// The row of a child id from 1 to kNotePartCount.
inline const NotePart& NotePartOf(long childId) { return kNoteParts[static_cast<std::size_t>(childId - 1)]; }

// A rectangle with no pixel inside: nothing of the part shows.
bool IsEmptyRect(const Rect& r);

// The child id of the painted part at a client point, tested in the mouse's
// order of regions and then the date line; parts without pixels are passed
// over. 0 when the point lies on none of them (the text area is not tested).
long NotePartAt(std::int16_t x, std::int16_t y, const NoteLayout& chrome);
