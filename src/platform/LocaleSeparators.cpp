#include "platform/LocaleSeparators.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>

namespace platform {

namespace {

// One separator, given as UTF-8 by the C library, in Windows-1252.
char toCp1252(const char* utf8, char fallback) {
    if (utf8 == nullptr) return fallback;
    if (utf8[0] == 0) return 0;
    const auto* s = reinterpret_cast<const unsigned char*>(utf8);
    if (s[0] == ' ') return static_cast<char>(0xA0);
    if (s[0] < 0x80) return static_cast<char>(s[0]);
    if (std::strcmp(utf8, "\xC2\xA0") == 0 || std::strcmp(utf8, "\xE2\x80\xAF") == 0 ||
        std::strcmp(utf8, "\xE2\x80\x89") == 0)
        return static_cast<char>(0xA0);  // no-break, narrow no-break and thin spaces
    if (s[0] == 0xC2 && s[1] >= 0xA0 && s[2] == 0) return static_cast<char>(s[1]);
    if (s[0] == 0xE2 && s[1] == 0x80 && s[2] == 0x99 && s[3] == 0) return '\'';  // right single quote
    return fallback;
}

}  // namespace

LocaleSeparators localeSeparators(const char* localeName) {
    LocaleSeparators result;
    locale_t loc = newlocale(LC_NUMERIC_MASK, localeName ? localeName : "", static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0)) return result;
    result.decimal = toCp1252(nl_langinfo_l(RADIXCHAR, loc), '.');
    if (result.decimal == 0) result.decimal = '.';
    result.thousands = toCp1252(nl_langinfo_l(THOUSEP, loc), ',');
    freelocale(loc);
    return result;
}

}  // namespace platform
