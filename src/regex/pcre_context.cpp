#include "regex/pcre_context.h"

#include "base/thread_locale.h"
#include "regex/pcre_code.h"

namespace brivane::pcre {

TCharsetTables::TCharsetTables(std::string aLocale, const std::uint8_t* aTables)
    : fLocale(std::move(aLocale)), fTables(aTables) {}

TCharsetTables::~TCharsetTables() {
    if (fTables != nullptr) {
        pcre2_maketables_free(nullptr, fTables);
    }
}

TGeneralContext::TGeneralContext()
    : fContext(pcre2_general_context_create(nullptr, nullptr, nullptr)) {
    if (fContext == nullptr) {
        SetError(PCRE2_ERROR_NOMEMORY);
    }
}

TGeneralContext::~TGeneralContext() {
    pcre2_general_context_free(fContext);
}

std::shared_ptr<TCompileContext> TGeneralContext::CreateCompileContext() {
    pcre2_compile_context* context = pcre2_compile_context_create(fContext);
    if (context == nullptr) {
        SetError(PCRE2_ERROR_NOMEMORY);
        return nullptr;
    }
    return std::make_shared<TCompileContext>(context, shared_from_this());
}

std::shared_ptr<const TCharsetTables>
TGeneralContext::CreateCharsetTables(const std::string& aLocale) {
    if (aLocale == "C" || aLocale == "POSIX") {
        return std::make_shared<TCharsetTables>(aLocale, nullptr);
    }
    // The tables are built on this thread under the requested locale; the process
    // locale and other threads are never touched.
    const std::uint8_t* tables = nullptr;
    if (!RunInLocale(aLocale, [&] { tables = pcre2_maketables(fContext); })) {
        SetError("locale \"" + aLocale + "\" is not available");
        return nullptr;
    }
    if (tables == nullptr) {
        SetError(PCRE2_ERROR_NOMEMORY);
        return nullptr;
    }
    return std::make_shared<TCharsetTables>(aLocale, tables);
}

TCompileContext::TCompileContext(pcre2_compile_context* aContext,
                                 std::shared_ptr<TGeneralContext> aGeneralContext)
    : fCompileContext(aContext), fGeneralContext(std::move(aGeneralContext)) {}

TCompileContext::~TCompileContext() {
    pcre2_compile_context_free(fCompileContext);
}

bool TCompileContext::SetCharacterTables(std::shared_ptr<const TCharsetTables> aTables) {
    const int rc = pcre2_set_character_tables(fCompileContext, aTables->Tables());
    if (rc != 0) {
        SetError(rc);
        return false;
    }
    fTables = std::move(aTables);
    return true;
}

std::shared_ptr<TCode> TCompileContext::Compile(std::u16string_view aPattern,
                                                std::uint32_t aOptions) {
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(aPattern.data()), aPattern.size(),
                                     aOptions, &errorCode, &errorOffset, fCompileContext);
    if (code == nullptr) {
        SetError(errorCode);
        fErrorOffset = errorOffset;
        return nullptr;
    }
    fErrorOffset = 0;
    return std::make_shared<TCode>(code, shared_from_this());
}

std::string TCompileContext::ErrorText() const {
    std::string text = TPCREObject::ErrorText();
    if (fErrorOffset > 0) {
        text += ". Pattern position " + std::to_string(fErrorOffset);
    }
    return text;
}

} // namespace brivane::pcre
