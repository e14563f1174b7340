#pragma once
// The rules by which the note finds its own executable.
#include <string>
#include <string_view>

inline constexpr char kLocationKey[] = "Software\\Scrivlet\\Location";
inline constexpr char kLocationKeyForWriting[] = "Software\\Scrivlet\\Location\\";
inline constexpr char kLocationValue[] = "Location";
inline constexpr char kDefaultInstallFolder[] = "C:\\Program Files\\Scrivlet\\";
inline constexpr char kDefaultProgramPath[] = "C:\\Program Files\\Scrivlet\\Scrivlet.exe";
inline constexpr int kSetupEntryCount = 75;

namespace note {

// The path without the double quotes around it ("Copy as path" adds them), and
// without blanks outside those quotes; any other text stays as it is.
std::string WithoutSurroundingQuotes(std::string_view path);
// True when the path's lower-case form contains "scrivlet.exe".
bool NamesProgram(std::string_view path);
// The uninstall key of setup entry n: "...\Uninstall\ST6UNST #n".
std::string SetupEntryKey(int n);
// True when an uninstall string points into the default installation folder (exact case).
bool IsDefaultInstallation(std::string_view uninstallString);

}  // namespace note
