#pragma once
// The note's recovery copy: its text kept in the user's local profile while it
// runs, so that a crash, End task, a forced restart or a power cut does not
// lose it, and the copies of notes that ended so, offered back at a later start.
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "note/recovery_rules.h"

class CRecoveryCopy {
public:
    // After each write `result` is posted to `notify` (when there is one):
    // wParam TRUE when the copy is on disk, FALSE when it could not be written.
    CRecoveryCopy(HWND notify, UINT result);
    ~CRecoveryCopy();  // finishes a write under way; one not yet begun is dropped
    CRecoveryCopy(const CRecoveryCopy&) = delete;
    CRecoveryCopy& operator=(const CRecoveryCopy&) = delete;

    // Writes the copy on the writer thread; a newer text replaces one still waiting.
    void Keep(std::wstring text);
    // Writes the copy before returning, after any write under way; true when it is on disk.
    bool KeepNow(std::wstring_view text);
    // True while the newest text given to Keep is not on disk: it waits, is being written, or failed.
    bool Owed();
    // Removes the note's copy for good, after any write under way: it is never
    // offered again, even while another program holds the file.
    void Remove();

    // A copy of a note that is gone, claimed by this note while it asks the user.
    struct Offer {
        std::wstring text;
        FILETIME written{};
        std::wstring claimed, original;  // full names
    };
    // Claims the newest copy whose note is gone and that holds text; cleans up
    // the temporary files of notes that are gone. Nothing when there is none.
    std::optional<Offer> ClaimNewest();
    void Adopt(const Offer& offer);    // its text is now the note's: it becomes the note's copy
    void Discard(const Offer& offer);  // deleted
    void Release(const Offer& offer);  // left for a later start, under its old name

    // The folder the copies are kept in, without a trailing backslash.
    const std::wstring& Folder() const { return m_folder; }

private:
    std::wstring PathOf(recovery::FileKind kind) const;
    // The copy's bytes of `text` into m_bytes; false when they would not hold it.
    bool Convert(std::wstring_view text);
    // Writes m_bytes when `converted` (else nothing) and posts the result.
    bool Write(bool converted);
    void Writer();
    // Waits until no write is under way, dropping one still waiting; the lock is then held.
    std::unique_lock<std::mutex> Idle();
    // Deletes a file that must never be offered; false when it still holds its text.
    bool Drop(const std::wstring& path);

    HWND m_notify;  // borrowed: the note
    UINT m_result;
    recovery::Owner m_owner;
    std::wstring m_folder;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<std::wstring> m_waiting;  // the newest text not yet being written
    bool m_writing = false, m_stop = false;
    // The bytes being written, used by whoever writes (the writer, or a caller
    // holding the lock while none is under way). Kept between writes: their
    // room is used again, which spares a megabyte note the system's cost of
    // fresh memory at every copy.
    std::string m_bytes;
    bool m_owed = false;       // the newest text given is not on disk
    bool m_claimLeft = false;  // a claim adopted or discarded still holds its text under this note's name
    std::thread m_thread;      // started by the first Keep
};
