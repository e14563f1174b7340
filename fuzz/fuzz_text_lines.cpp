// Splitting a file into lines and joining them for the note.
#include "fuzz_input.h"
#include "textfile/text_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string in(reinterpret_cast<const char*>(data), size);
    const std::string out = lines::JoinFileLines(std::string_view(in));
    if (in.empty()) {
        FUZZ_CHECK(out.empty());
        return 0;
    }
    FUZZ_CHECK(out.size() >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0);
    // Every CR in the result begins a CR LF, and removing the line ends gives the
    // input with its line ends removed.
    std::string strippedOut, strippedIn;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i] == '\r') {
            FUZZ_CHECK(i + 1 < out.size() && out[i + 1] == '\n');
            ++i;
            continue;
        }
        strippedOut += out[i];
    }
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] == '\r') {
            if (i + 1 < in.size() && in[i + 1] == '\n') ++i;
            continue;
        }
        strippedIn += in[i];
    }
    FUZZ_CHECK(strippedIn == strippedOut);
    // A text that already follows the rule is left as it is.
    FUZZ_CHECK(lines::JoinFileLines(std::string_view(out)) == out);
    return 0;
}
