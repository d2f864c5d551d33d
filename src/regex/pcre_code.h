#pragma once
// A compiled pattern. After construction (compile, JIT compile, reading the name
// table) it is only read, so one TCode serves any number of threads at once.

#include "regex/pcre_object.h"
#include "regex/regex.h"

#include <pcre2.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace brivane::pcre {

class TCompileContext;

class TCode : public TPCREObject {
public:
    TCode(pcre2_code* aCode, std::shared_ptr<const TCompileContext> aCompileContext);
    ~TCode() override;
    TCode(const TCode&) = delete;
    TCode& operator=(const TCode&) = delete;

    pcre2_code* Handle() const { return fCode; }

    // aModes: PCRE2_JIT_COMPLETE and/or PCRE2_JIT_PARTIAL_SOFT/HARD; 0 means complete.
    // Without JIT (an unsupported platform, say) matching still works, only slower.
    bool JITCompile(std::uint32_t aModes);

    // Whether the JIT entry point can run a match with these PCRE2 match options:
    // the code has JIT code for the matching mode and no option needs the interpreter
    // (PCRE2's JIT entry point silently ignores PCRE2_ANCHORED, for one).
    bool CanRunJIT(std::uint32_t aMatchOptions) const;

    std::uint32_t Info(std::uint32_t aWhat) const; // a 32-bit pattern information item
    std::size_t Size() const;
    bool IsUTF() const { return fUTF; }

    // The name table in PCRE2's order (sorted by name); false on failure.
    bool ReadNameTable(std::vector<TPCRENameTableItem>& aNames);

private:
    pcre2_code* fCode;
    std::shared_ptr<const TCompileContext> fCompileContext; // keeps the tables alive
    bool fUseJIT = false;
    std::uint32_t fJITOptions = 0;
    bool fUTF = false;
};

} // namespace brivane::pcre
