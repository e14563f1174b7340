// The mailto URL: every value encodes to plain, safe ASCII and decodes back.
#include "fuzz_input.h"
#include "mail/mailto.h"

namespace {

std::string Decode(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%') {
            FUZZ_CHECK(i + 2 < s.size());
            out += static_cast<char>(std::stoi(std::string(s.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

void CheckValue(std::string_view value, const std::string& encoded, bool addresses) {
    for (const char c : encoded) {
        FUZZ_CHECK(c > 0x20 && c < 0x7F);
        FUZZ_CHECK(c != '&' && c != '=' && c != '?' && c != '#' && c != '"');
        if (addresses) FUZZ_CHECK(c != ';');
    }
    FUZZ_CHECK(Decode(encoded) == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const int cut = input.TakeInRange(0, 1 << 16);
    const std::string rest = input.Rest();
    const std::string first = rest.substr(0, static_cast<std::size_t>(cut) % (rest.size() + 1));
    const std::string second = rest.substr(first.size());
    CheckValue(first, mailto::EncodeAddresses(first), true);
    CheckValue(second, mailto::EncodeHeaderValue(second), false);

    const std::string url = mailto::BuildUrl({first, second, "", first, second, second});
    FUZZ_CHECK(url.rfind("mailto:", 0) == 0);
    FUZZ_CHECK(url.find('#') == std::string::npos);
    const std::size_t query = url.find('?');
    FUZZ_CHECK(query == std::string::npos || url.find('?', query + 1) == std::string::npos);
    if (first.empty() && second.empty()) FUZZ_CHECK(url == "mailto:");
    return 0;
}
