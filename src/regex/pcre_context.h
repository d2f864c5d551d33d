#pragma once
// PCRE2 contexts: the general context that creates everything else, the compile
// context that turns a pattern into code, and the character tables it compiles with.

#include "regex/pcre_object.h"

#include <pcre2.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace brivane::pcre {

class TCode;
class TCompileContext;

// Character tables of one locale. The "C" locale uses PCRE2's built-in tables.
class TCharsetTables {
public:
    TCharsetTables(std::string aLocale, const std::uint8_t* aTables);
    ~TCharsetTables();
    TCharsetTables(const TCharsetTables&) = delete;
    TCharsetTables& operator=(const TCharsetTables&) = delete;

    const std::uint8_t* Tables() const { return fTables; } // null: the built-in tables
    const std::string& Locale() const { return fLocale; }

private:
    std::string fLocale;
    const std::uint8_t* fTables;
};

// PCRE2's own allocator throughout.
class TGeneralContext : public TPCREObject, public std::enable_shared_from_this<TGeneralContext> {
public:
    TGeneralContext();
    ~TGeneralContext() override;
    TGeneralContext(const TGeneralContext&) = delete;
    TGeneralContext& operator=(const TGeneralContext&) = delete;

    bool Valid() const { return fContext != nullptr; }
    pcre2_general_context* Handle() const { return fContext; }

    // Empty on failure; ErrorText() says why.
    std::shared_ptr<TCompileContext> CreateCompileContext();
    std::shared_ptr<const TCharsetTables> CreateCharsetTables(const std::string& aLocale);

private:
    pcre2_general_context* fContext;
};

class TCompileContext : public TPCREObject, public std::enable_shared_from_this<TCompileContext> {
public:
    TCompileContext(pcre2_compile_context* aContext,
                    std::shared_ptr<TGeneralContext> aGeneralContext);
    ~TCompileContext() override;
    TCompileContext(const TCompileContext&) = delete;
    TCompileContext& operator=(const TCompileContext&) = delete;

    // The tables stay alive as long as this context and the code compiled with it.
    bool SetCharacterTables(std::shared_ptr<const TCharsetTables> aTables);

    // aOptions: PCRE2 compile flags. Empty on failure; ErrorText() then names the
    // pattern position.
    std::shared_ptr<TCode> Compile(std::u16string_view aPattern, std::uint32_t aOptions);

    std::string ErrorText() const override;

private:
    pcre2_compile_context* fCompileContext;
    std::shared_ptr<TGeneralContext> fGeneralContext;
    std::shared_ptr<const TCharsetTables> fTables;
    std::size_t fErrorOffset = 0;
};

} // namespace brivane::pcre
