// Finding the program's own executable, and starting further notes from it.
#include <system_error>

#include "note/COutlookNote.h"
#include "note/program_location.h"
#include "platform/modRegistry.h"
#include "platform/win/message_boxes.h"

namespace {

std::string SystemErrorText(DWORD error) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = n ? std::string(text, n) : "Error " + std::to_string(error);
    LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    return result;
}

void SearchAndAsk(std::string& location) {
    for (int n = 1; n <= kSetupEntryCount; ++n) {
        // Old setups were 32-bit programs: their entries stand in the 32-bit view.
        const std::string entry = modRegistry::ReadRegString(HKEY_LOCAL_MACHINE, note::SetupEntryKey(n),
                                                             "UninstallString", KEY_WOW64_32KEY);
        if (note::IsDefaultInstallation(entry)) {
            location = kDefaultProgramPath;
            modRegistry::WriteRegString(HKEY_CURRENT_USER, kLocationKeyForWriting, kLocationValue, location);
            return;
        }
    }
    for (;;) {
        location = note::WithoutSurroundingQuotes(ui::InputBox("Type in the exact location of the Scrivlet Program.\r\n"
                                                         "Example: C:\\Scrivlet\\Scrivlet.exe",
                                                         "Please give me the Scrivlet Location."));
        if (location.empty()) ui::MsgBox("PLEASE ENTER THE LOCATION!", MB_OK | MB_ICONERROR, "Location needed");
        if (note::NamesProgram(location)) {
            modRegistry::WriteRegString(HKEY_CURRENT_USER, kLocationKeyForWriting, kLocationValue, location);
            return;
        }
        if (ui::MsgBox("There was a problem with the location you entered.\r\nDo you want to try again?",
                       MB_YESNO | MB_ICONQUESTION, "Try Again?") != IDYES)
            return;
    }
}

}  // namespace

void COutlookNote::LocateProgram() {
    // A path stored with quotes around it names the same program.
    LocationOfScrivlet =
        note::WithoutSurroundingQuotes(modRegistry::ReadRegString(HKEY_CURRENT_USER, kLocationKey, kLocationValue));
    if (!LocationOfScrivlet.empty()) return;
    try {
        SearchAndAsk(LocationOfScrivlet);
    } catch (const std::system_error& e) {
        ui::MsgBox(std::string(e.what()) + " " + std::to_string(e.code().value()), MB_OK, ui::kProgramTitle);
    } catch (const std::exception& e) {
        ui::MsgBox(std::string(e.what()) + " 0", MB_OK, ui::kProgramTitle);
    }
}

void COutlookNote::NewNote() {
    if (LocationOfScrivlet.empty()) return;
    if (!note::NamesProgram(LocationOfScrivlet)) {
        LocateProgram();
        return;
    }
    // Started by its application name: a path with spaces can never start a
    // shorter program such as C:\Program.exe.
    std::string commandLine = "\"" + LocationOfScrivlet + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(LocationOfScrivlet.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        const DWORD error = GetLastError();
        ui::MsgBox("The new note could not be started:\r\n" + SystemErrorText(error) + "\r\n" + LocationOfScrivlet,
                   MB_OK | MB_ICONERROR, ui::kProgramTitle);
        return;
    }
    // The note does not wait for its new copy; it only lets go of the handles.
    const unique_handle thread(process.hThread), started(process.hProcess);
}
