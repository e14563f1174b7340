// Any pattern and any date: no crash, and the known elements come out right.
#include "fuzz_input.h"
#include "platform/text/date_pattern.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    DateParts when;
    when.year = input.TakeInRange(1601, 30827);
    when.month = input.TakeInRange(1, 12);
    when.day = input.TakeInRange(1, 31);
    when.hour = input.TakeInRange(0, 23);
    when.minute = input.TakeInRange(0, 59);
    when.second = input.TakeInRange(0, 59);
    const std::string pattern = input.Rest();
    const std::string out = FormatDatePattern(pattern, when, {"/", ":"});
    const std::string full = FormatDatePattern("m/d/yy h:nn:ss AM/PM", when);
    int h = when.hour % 12 == 0 ? 12 : when.hour % 12;
    const std::string expectedTail = std::to_string(h) + ":" + (when.minute < 10 ? "0" : "") +
                                     std::to_string(when.minute) + ":" + (when.second < 10 ? "0" : "") +
                                     std::to_string(when.second) + (when.hour < 12 ? " AM" : " PM");
    FUZZ_CHECK(full.size() >= expectedTail.size() &&
               full.compare(full.size() - expectedTail.size(), expectedTail.size(), expectedTail) == 0);
    FUZZ_CHECK(out.size() <= pattern.size() * 4 + 8);
    return 0;
}
