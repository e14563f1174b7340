// The ".txt" name rule and the encoding decisions of the text-file window.
#include "fuzz_input.h"
#include "textfile/txt_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const bool fitsAnsi = input.Take<std::uint8_t>() & 1;
    const std::string name = input.Rest();

    const std::string named = txt::WithTxtEnding(name);
    FUZZ_CHECK(txt::EndsInTxt(named));
    FUZZ_CHECK(named == (txt::EndsInTxt(name) ? name : name + ".txt"));
    FUZZ_CHECK(txt::WithTxtEnding(named) == named);  // applying the rule twice changes nothing
    if (name.size() < 3) FUZZ_CHECK(!txt::EndsInTxt(name));

    const std::string& head = name;
    const txt::AppendEncoding append = txt::ChooseAppendEncoding(head, fitsAnsi);
    if (head.empty()) FUZZ_CHECK(append == txt::AppendEncoding::AsNewFile);
    else if (txt::StartsWithUtf8Bom(head)) FUZZ_CHECK(append == txt::AppendEncoding::Utf8);
    else FUZZ_CHECK(append == (fitsAnsi ? txt::AppendEncoding::Ansi : txt::AppendEncoding::Refuse));
    FUZZ_CHECK(txt::StartsWithUtf8Bom(head) == (head.compare(0, 3, txt::kUtf8Bom) == 0));
    FUZZ_CHECK(txt::ChooseWriteEncoding(fitsAnsi) ==
               (fitsAnsi ? txt::WriteEncoding::Ansi : txt::WriteEncoding::Utf8WithBom));
    return 0;
}
