#include "net/code_page.h"

#include "base/unicode.h"
#include "net/code_page_conversion.h"
#include "net/net_headers.h"

namespace brivane::net {

namespace {

struct TCodePage {
    int Number;
    const char* IconvName;
    const char* Labels; // the charset names servers use for it, separated by blanks
};

// Names follow the platform's (Windows) registry of encodings, with the aliases
// that web servers are known to send.
constexpr TCodePage kCodePages[] = {
    {65001, "UTF-8", "utf-8 utf8 unicode-1-1-utf-8 unicode11utf8 unicode20utf8 x-unicode20utf8"},
    {1200, "UTF-16LE", "utf-16le utf-16 ucs-2 unicode unicodefeff csunicode iso-10646-ucs-2"},
    {1201, "UTF-16BE", "utf-16be unicodefffe"},
    {12000, "UTF-32LE", "utf-32le utf-32"},
    {12001, "UTF-32BE", "utf-32be"},
    {65000, "UTF-7", "utf-7 csunicode11utf7"},
    {20127, "ASCII",
     "us-ascii ascii ansi_x3.4-1968 ansi_x3.4-1986 iso-ir-6 iso646-us us cp367 ibm367 csascii"},
    {1250, "CP1250", "windows-1250 cp1250 x-cp1250"},
    {1251, "CP1251", "windows-1251 cp1251 x-cp1251"},
    {1252, "CP1252", "windows-1252 cp1252 x-cp1252"},
    {1253, "CP1253", "windows-1253 cp1253 x-cp1253"},
    {1254, "CP1254", "windows-1254 cp1254 x-cp1254"},
    {1255, "CP1255", "windows-1255 cp1255 x-cp1255"},
    {1256, "CP1256", "windows-1256 cp1256 x-cp1256"},
    {1257, "CP1257", "windows-1257 cp1257 x-cp1257"},
    {1258, "CP1258", "windows-1258 cp1258 x-cp1258"},
    {874, "CP874", "windows-874 dos-874 cp874 iso-8859-11 iso8859-11 iso885911 tis-620"},
    {28591, "ISO-8859-1",
     "iso-8859-1 iso8859-1 iso88591 iso_8859-1 iso_8859-1:1987 latin1 l1 iso-ir-100 ibm819 "
     "cp819 csisolatin1"},
    {28592, "ISO-8859-2",
     "iso-8859-2 iso8859-2 iso88592 iso_8859-2 iso_8859-2:1987 latin2 l2 iso-ir-101 csisolatin2"},
    {28593, "ISO-8859-3",
     "iso-8859-3 iso8859-3 iso88593 iso_8859-3 iso_8859-3:1988 latin3 l3 iso-ir-109 csisolatin3"},
    {28594, "ISO-8859-4",
     "iso-8859-4 iso8859-4 iso88594 iso_8859-4 iso_8859-4:1988 latin4 l4 iso-ir-110 csisolatin4"},
    {28595, "ISO-8859-5",
     "iso-8859-5 iso8859-5 iso88595 iso_8859-5 iso_8859-5:1988 cyrillic iso-ir-144 "
     "csisolatincyrillic"},
    {28596, "ISO-8859-6",
     "iso-8859-6 iso8859-6 iso88596 iso_8859-6 iso_8859-6:1987 arabic asmo-708 ecma-114 "
     "iso-8859-6-e iso-8859-6-i iso-ir-127 csiso88596e csiso88596i csisolatinarabic"},
    {28597, "ISO-8859-7",
     "iso-8859-7 iso8859-7 iso88597 iso_8859-7 iso_8859-7:1987 greek greek8 elot_928 ecma-118 "
     "iso-ir-126 sun_eu_greek csisolatingreek"},
    {28598, "ISO-8859-8",
     "iso-8859-8 iso8859-8 iso88598 iso_8859-8 iso_8859-8:1988 hebrew iso-8859-8-e iso-ir-138 "
     "visual csiso88598e csisolatinhebrew"},
    {38598, "ISO-8859-8", "iso-8859-8-i logical csiso88598i"},
    {28599, "ISO-8859-9",
     "iso-8859-9 iso8859-9 iso88599 iso_8859-9 iso_8859-9:1989 latin5 l5 iso-ir-148 csisolatin5"},
    {28603, "ISO-8859-13", "iso-8859-13 iso8859-13 iso885913"},
    {28605, "ISO-8859-15",
     "iso-8859-15 iso8859-15 iso885915 iso_8859-15 latin9 l9 latin-9 csisolatin9"},
    {20866, "KOI8-R", "koi8-r koi8_r koi8 koi cskoi8r"},
    {21866, "KOI8-U", "koi8-u koi8-ru"},
    {866, "CP866", "ibm866 cp866 866 csibm866"},
    {437, "CP437", "ibm437 cp437 437 cspc8codepage437"},
    {850, "CP850", "ibm850 cp850 850 cspc850multilingual"},
    {852, "CP852", "ibm852 cp852 852 cspcp852"},
    {855, "CP855", "ibm855 cp855 855 csibm855"},
    {857, "CP857", "ibm857 cp857 857 csibm857"},
    {862, "CP862", "ibm862 cp862 862 cspc862latinhebrew"},
    {10000, "MACINTOSH", "macintosh mac x-mac-roman csmacintosh"},
    {10007, "MAC-CYRILLIC", "x-mac-cyrillic x-mac-ukrainian"},
    {932, "CP932", "shift_jis shift-jis sjis ms932 ms_kanji windows-31j x-sjis csshiftjis cp932"},
    {51932, "EUC-JP", "euc-jp x-euc-jp cseucpkdfmtjapanese"},
    {50220, "ISO-2022-JP", "iso-2022-jp csiso2022jp"},
    {936, "GBK",
     "gbk gb2312 chinese csgb2312 csiso58gb231280 gb_2312 gb_2312-80 iso-ir-58 x-gbk cp936 "
     "windows-936"},
    {54936, "GB18030", "gb18030"},
    {950, "BIG5", "big5 big5-hkscs cn-big5 csbig5 x-x-big5 cp950"},
    {51949, "EUC-KR", "euc-kr cseuckr"},
    {949, "CP949",
     "ks_c_5601-1987 ks_c_5601-1989 ksc5601 ksc_5601 korean csksc56011987 iso-ir-149 "
     "windows-949 cp949"},
};

bool HasLabel(std::string_view aLabels, std::string_view aName) {
    while (!aLabels.empty()) {
        const auto blank = aLabels.find(' ');
        if (SameToken(aLabels.substr(0, blank), aName)) {
            return true;
        }
        aLabels = blank == std::string_view::npos ? std::string_view() : aLabels.substr(blank + 1);
    }
    return false;
}

} // namespace

int CodePageOfCharset(std::string_view aCharset) {
    const auto name = TrimBlanks(aCharset);
    if (name.empty()) {
        return 0;
    }
    for (const auto& codePage : kCodePages) {
        if (HasLabel(codePage.Labels, name)) {
            return codePage.Number;
        }
    }
    return 0;
}

std::string DecodeCodePage(std::string_view aBytes, int aCodePage) {
    if (aCodePage == kCodePageUtf8) {
        // Invalid sequences become U+FFFD on the way through UTF-16.
        return Utf16ToUtf8(Utf8ToUtf16(aBytes));
    }
    for (const auto& codePage : kCodePages) {
        if (codePage.Number == aCodePage) {
            return aBytes.empty() ? std::string()
                                  : ConvertToUtf8(aBytes, codePage.Number, codePage.IconvName);
        }
    }
    throw ECodePageError("Unsupported code page " + std::to_string(aCodePage));
}

} // namespace brivane::net
