#include "platform/text/code_pages.h"

namespace codepage {

NarrowingRule NarrowingRuleFor(unsigned codePage) {
    switch (codePage) {
    case kUtf8:
        return {false, true, false};
    case kGb18030:
        return {false, true, true};
    case kUtf7:
        return {false, false, false};
    case 42: case 50220: case 50221: case 50222: case 50225: case 50227: case 50229:
        return {false, false, true};
    default:
        if (codePage >= 57002 && codePage <= 57011) return {false, false, true};  // the ISCII code pages
        return {true, false, true};
    }
}

}  // namespace codepage
