#pragma once
// What the text-file and e-mail windows may do with the note they serve: read
// its text, replace it, put the caret at its end, and learn whether it is
// still there. The note hands itself over when it shows them.
#include <string>
#include <string_view>

class INoteText {
public:
    // False once the note has closed; the other calls then do nothing.
    virtual bool IsOpen() const = 0;
    // The note's text with CR LF line breaks.
    virtual std::wstring Text() const = 0;
    // Replaces the whole text as plain text, as one step the user can undo;
    // false when the note did not take all of it.
    virtual bool ReplaceText(std::wstring_view text) = 0;
    virtual void MoveCaretToEnd() = 0;

protected:
    ~INoteText() = default;
};
