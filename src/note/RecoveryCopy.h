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
    // `failed` is posted to `notify` from the writer each time a copy could not be written.
    CRecoveryCopy(HWND notify, UINT failed);
    ~CRecoveryCopy();  // finishes a write under way; one not yet begun is dropped
    CRecoveryCopy(const CRecoveryCopy&) = delete;
    CRecoveryCopy& operator=(const CRecoveryCopy&) = delete;

    // Writes the copy on the writer thread; a newer text replaces one still waiting.
    void Keep(std::wstring_view text);
    // Writes the copy before returning; true when it is on disk.
    bool KeepNow(std::wstring_view text);
    // Removes the note's copy, after any write under way.
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
    bool Write(const std::string& bytes);
    void Writer();
    // Waits until nothing is waiting or being written; the lock is then held.
    std::unique_lock<std::mutex> Idle();

    HWND m_notify;  // borrowed: the note
    UINT m_failed;
    recovery::Owner m_owner;
    std::wstring m_folder;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<std::string> m_waiting;  // bytes of the newest text not yet written
    bool m_writing = false, m_stop = false;
    std::thread m_thread;  // started by the first Keep
};
