#include "regex/pcre_code.h"

#include "base/unicode.h"
#include "regex/pcre_context.h"

namespace brivane::pcre {

namespace {

// The match options PCRE2's JIT entry point honours; any other one needs pcre2_match.
constexpr std::uint32_t kJITMatchOptions = PCRE2_NOTBOL | PCRE2_NOTEOL | PCRE2_NOTEMPTY |
                                           PCRE2_NOTEMPTY_ATSTART | PCRE2_NO_UTF_CHECK |
                                           PCRE2_PARTIAL_SOFT | PCRE2_PARTIAL_HARD;

} // namespace

TCode::TCode(pcre2_code* aCode, std::shared_ptr<const TCompileContext> aCompileContext)
    : fCode(aCode), fCompileContext(std::move(aCompileContext)),
      fUTF((Info(PCRE2_INFO_ALLOPTIONS) & PCRE2_UTF) != 0) {}

TCode::~TCode() {
    pcre2_code_free(fCode);
}

bool TCode::JITCompile(std::uint32_t aModes) {
    if (aModes == 0) {
        aModes = PCRE2_JIT_COMPLETE;
    }
    const int rc = pcre2_jit_compile(fCode, aModes);
    if (rc != 0) {
        SetError(rc);
        return false;
    }
    fUseJIT = true;
    fJITOptions |= aModes;
    return true;
}

bool TCode::CanRunJIT(std::uint32_t aMatchOptions) const {
    if (!fUseJIT || (aMatchOptions & ~kJITMatchOptions) != 0) {
        return false;
    }
    const std::uint32_t mode = (aMatchOptions & PCRE2_PARTIAL_HARD)   ? PCRE2_JIT_PARTIAL_HARD
                               : (aMatchOptions & PCRE2_PARTIAL_SOFT) ? PCRE2_JIT_PARTIAL_SOFT
                                                                      : PCRE2_JIT_COMPLETE;
    return (fJITOptions & mode) != 0;
}

std::uint32_t TCode::Info(std::uint32_t aWhat) const {
    std::uint32_t value = 0;
    pcre2_pattern_info(fCode, aWhat, &value);
    return value;
}

std::size_t TCode::Size() const {
    std::size_t value = 0;
    pcre2_pattern_info(fCode, PCRE2_INFO_SIZE, &value);
    return value;
}

bool TCode::ReadNameTable(std::vector<TPCRENameTableItem>& aNames) {
    std::uint32_t count = 0;
    std::uint32_t entrySize = 0;
    PCRE2_SPTR table = nullptr;
    int rc = pcre2_pattern_info(fCode, PCRE2_INFO_NAMECOUNT, &count);
    if (rc == 0) {
        rc = pcre2_pattern_info(fCode, PCRE2_INFO_NAMEENTRYSIZE, &entrySize);
    }
    if (rc == 0) {
        rc = pcre2_pattern_info(fCode, PCRE2_INFO_NAMETABLE, &table);
    }
    if (rc != 0) {
        SetError(rc);
        return false;
    }
    aNames.clear();
    aNames.reserve(count);
    // Each entry: the group number in the first code unit, then the name, zero-padded.
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto* entry = reinterpret_cast<const char16_t*>(table + std::size_t(i) * entrySize);
        const std::u16string_view name(entry + 1, entrySize - 1);
        aNames.push_back({int(entry[0]), Utf16ToUtf8(name.substr(0, name.find(u'\0')))});
    }
    return true;
}

} // namespace brivane::pcre
