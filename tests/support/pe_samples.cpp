#include "support/pe_samples.h"

namespace brivane::test {

TVersionBlockOptions SampleVersion() {
    TVersionBlockOptions version;
    version.FileVersionMS = 0x00010002;
    version.FileVersionLS = 0x00030004;
    version.ProductVersionMS = 0x00050006;
    version.ProductVersionLS = 0x00070008;
    version.Strings = {{u"CompanyName", u"Sample Software"},
                       {u"ProductName", u"Sample"},
                       {u"ProductVersion", u"5.6 Final"}};
    return version;
}

TPeFileOptions SampleProgram(bool aPe64) {
    TVersionBlockOptions russian = SampleVersion();
    russian.FileVersionMS = 0x00090008;
    russian.FileVersionLS = 0x00070006;
    russian.TableKey = u"041904e3";
    TVersionBlockOptions second;
    second.FileVersionLS = 2;

    TPeFileOptions options;
    options.Pe64 = aPe64;
    options.Resources = {
        {std::uint16_t{3}, std::uint16_t{1}, 0, BuildIconImage(16, 32, 0x11)},
        {std::uint16_t{3}, std::uint16_t{2}, 0, BuildIconImage(32, 32, 0x22)},
        {std::uint16_t{3}, std::uint16_t{3}, 0, BuildIconImage(48, 8, 0x33)},
        {std::uint16_t{14}, u"MAINICON", 0x0409, BuildGroupIcon({{48, 8, 0, 3}})},
        {std::uint16_t{14}, std::uint16_t{101}, 0x0409,
         BuildGroupIcon({{16, 32, 0, 1}, {32, 32, 0, 2}})},
        {std::uint16_t{14}, std::uint16_t{102}, 0x0409, BuildGroupIcon({{32, 32, 0, 2}})},
        {std::uint16_t{16}, std::uint16_t{1}, 0x0419, BuildVersionBlock(russian)},
        {std::uint16_t{16}, std::uint16_t{1}, 0x0409, BuildVersionBlock(SampleVersion())},
        {std::uint16_t{16}, std::uint16_t{2}, 0x0409, BuildVersionBlock(second)},
        {std::uint16_t{24}, std::uint16_t{1}, 0x0409, "<assembly/>"},
    };
    return options;
}

} // namespace brivane::test
