// The benchmark program: measures Scrivlet against its floors in one run and
// writes the table of medians and ratios.
//   scrivlet_bench [--quick] [--runs N] [--only start|text|files|print] [--list-folder DIR] [--out FILE]
//                  [--exe-size LABEL=BYTES]...
// SCRIVLET_PDF_DIR names (as a Linux path) the folder the PDF queue writes to.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <optional>
#include <cstdlib>
#include <algorithm>
#include <string>
#include <vector>

#include "bench_rows.h"
#include "platform/modRegistry.h"
#include "platform/win/handles.h"
#include "platform/win/program_windows.h"

namespace {

// Everything below `folder`, and the folder itself unless `keepFolder`.
void RemoveTree(const std::wstring& folder, bool keepFolder) {
    WIN32_FIND_DATAW data{};
    const unique_hfind find(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (find) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + L"\\" + name, false);
            else
                DeleteFileW((folder + L"\\" + name).c_str());
        } while (FindNextFileW(find.get(), &data));
    }
    if (!keepFolder) RemoveDirectoryW(folder.c_str());
}

struct Arguments {
    bench::Options options;
    std::string only;
    std::string out;
    std::vector<std::pair<std::string, double>> exeSizes;
};

Arguments ParseArguments(int argc, char** argv) {
    Arguments a;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--quick") {
            a.options.quick = true;
            a.options.runs = 1;
        } else if (arg == "--runs" && hasValue) {
            a.options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--only" && hasValue) {
            a.only = argv[++i];
        } else if (arg == "--list-folder" && hasValue) {
            a.options.listFolder = argv[++i];
        } else if (arg == "--out" && hasValue) {
            a.out = argv[++i];
        } else if (arg == "--exe-size" && hasValue) {
            const std::string v = argv[++i];
            const std::size_t eq = v.find('=');
            if (eq != std::string::npos) a.exeSizes.emplace_back(v.substr(0, eq), std::atof(v.c_str() + eq + 1));
        }
    }
    if (const char* pdf = std::getenv("SCRIVLET_PDF_DIR"); pdf && *pdf) {
        std::string path = std::string("Z:") + pdf;
        for (char& c : path)
            if (c == '/') c = '\\';
        a.options.pdfFolder = path;
    }
    return a;
}

}  // namespace

int main(int argc, char** argv) {
    const Arguments args = ParseArguments(argc, argv);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // A stored location: a note, in this process or started, asks nothing before it shows.
    modRegistry::WriteRegString(HKEY_CURRENT_USER, "Software\\Scrivlet\\Location\\", "Location",
                                ui::ProgramFolder() + "\\scrivlet.exe");
    // Notes, in this process or started, find an empty recovery folder of this run's own.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    // What an earlier run left there (a claimed copy) would be offered at every start and measured with it.
    const std::wstring local = std::wstring(temp) + L"scrivlet-bench";
    CreateDirectoryW(local.c_str(), nullptr);
    RemoveTree(local, true);
    SetEnvironmentVariableW(L"LOCALAPPDATA", local.c_str());

    std::vector<bench::Row> rows;
    const auto wanted = [&](const char* part) { return args.only.empty() || args.only == part; };
    if (wanted("start")) bench::AddStartRows(args.options, rows);
    if (wanted("text")) bench::AddTextRows(args.options, rows);
    if (wanted("files")) bench::AddFileRows(args.options, rows);
    if (wanted("print")) bench::AddPrintRows(args.options, rows);
    for (const auto& [label, bytes] : args.exeSizes)
        rows.push_back({"Size of the stripped scrivlet.exe, " + label, bench::Unit::Bytes,
                        bench::Summarize({bytes}), std::nullopt, {bench::GoalKind::AtMost, 1024.0 * 1024.0}, ""});

    const std::string table = bench::FormatTable(rows);
    bench::Progress("done: " + std::to_string(rows.size()) + " rows");
    if (!args.out.empty()) {
        if (FILE* f = std::fopen(args.out.c_str(), "wb")) {
            std::fwrite(table.data(), 1, table.size(), f);
            std::fclose(f);
        }
    }
    RemoveTree(local, false);
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}
