#include "regex/pcre_match.h"

#include "base/unicode.h"
#include "regex/pcre_code.h"

#include <climits>
#include <iterator>
#include <mutex>
#include <vector>

namespace brivane::pcre {

namespace {

constexpr std::size_t kDfaWorkspaceSize = 1024;

// The default JIT stack is 32 KiB on the machine stack; patterns that repeat a group
// over a long page need more, and must not read "no match" for want of it.
constexpr std::size_t kLargeStackStart = 64 * 1024;
constexpr std::size_t kLargeStackMax = 8 * 1024 * 1024;

bool IsHighSurrogate(char16_t aUnit) {
    return (aUnit & 0xFC00) == 0xD800;
}
bool IsLowSurrogate(char16_t aUnit) {
    return (aUnit & 0xFC00) == 0xDC00;
}

} // namespace

TJITStack::TJITStack(std::size_t aStartSize, std::size_t aMaxSize)
    : fStack(pcre2_jit_stack_create(aStartSize, aMaxSize, nullptr)) {}

TJITStack::~TJITStack() {
    pcre2_jit_stack_free(fStack);
}

std::shared_ptr<TJITStack> TJITStack::Lend() {
    struct TPool {
        std::mutex Lock;
        std::vector<std::unique_ptr<TJITStack>> Free;
    };
    // Never destroyed: a stack may come back while static objects are torn down.
    static TPool* const pool = new TPool;
    std::unique_ptr<TJITStack> stack;
    {
        const std::lock_guard lock(pool->Lock);
        if (!pool->Free.empty()) {
            stack = std::move(pool->Free.back());
            pool->Free.pop_back();
        }
    }
    if (!stack) {
        stack = std::make_unique<TJITStack>(kLargeStackStart, kLargeStackMax);
        if (stack->Handle() == nullptr) {
            return nullptr;
        }
    }
    return std::shared_ptr<TJITStack>(stack.release(), [](TJITStack* aStack) {
        const std::lock_guard lock(pool->Lock);
        pool->Free.emplace_back(aStack);
    });
}

TMatchData::TMatchData(std::shared_ptr<const TCode> aCode,
                       std::shared_ptr<const std::u16string> aSubject)
    : fMatchData(pcre2_match_data_create_from_pattern(aCode->Handle(), nullptr)),
      fCode(std::move(aCode)), fSubject(std::move(aSubject)) {
    if (fMatchData != nullptr) {
        fOvector = pcre2_get_ovector_pointer(fMatchData);
        fPairCount = int(pcre2_get_ovector_count(fMatchData));
    }
}

TMatchData::~TMatchData() {
    pcre2_match_data_free(fMatchData);
}

void TMatchData::SetMatched() {
    fMatched = true;
}

bool TMatchData::GroupSuccess(int aIndex) const {
    return fMatched && aIndex >= 0 && aIndex < fPairCount;
}

bool TMatchData::GroupSet(int aIndex) const {
    return GroupSuccess(aIndex) && fOvector[2 * aIndex] != PCRE2_UNSET &&
           fOvector[2 * aIndex + 1] >= fOvector[2 * aIndex];
}

int TMatchData::GroupIndex(int aIndex) const {
    if (!GroupSuccess(aIndex)) {
        return 0;
    }
    return GroupSet(aIndex) ? int(fOvector[2 * aIndex]) : -1;
}

int TMatchData::GroupLength(int aIndex) const {
    return GroupSet(aIndex) ? int(fOvector[2 * aIndex + 1] - fOvector[2 * aIndex]) : 0;
}

std::u16string_view TMatchData::GroupUnits(int aIndex) const {
    if (!GroupSet(aIndex)) {
        return {};
    }
    return std::u16string_view(*fSubject).substr(fOvector[2 * aIndex],
                                                 fOvector[2 * aIndex + 1] - fOvector[2 * aIndex]);
}

std::string TMatchData::GroupValue(int aIndex) const {
    return Utf16ToUtf8(GroupUnits(aIndex));
}

TMatchContext::TMatchContext(std::shared_ptr<const TCode> aCode,
                             std::shared_ptr<const std::u16string> aSubject)
    : fCode(std::move(aCode)), fSubject(std::move(aSubject)) {}

TMatchContext::~TMatchContext() {
    pcre2_match_context_free(fMatchContext);
}

std::shared_ptr<TMatchData> TMatchContext::Match(std::size_t aOffset, std::uint32_t aOptions,
                                                 TMatchType aMatchType) {
    fActive = false;
    fMatchType = aMatchType;
    fOptions = aOptions;
    // Results report offsets as int, so longer subjects are refused like bad offsets.
    if (aOffset > fSubject->size() || fSubject->size() > std::size_t(INT_MAX)) {
        SetError(PCRE2_ERROR_BADOFFSET);
        return nullptr;
    }
    if (fCode->IsUTF()) {
        // Subjects are converted from UTF-8 and therefore valid UTF-16; only the start
        // offset can be wrong, and the JIT entry point would not notice.
        if (OffsetSplitsCharacter(aOffset)) {
            SetError(PCRE2_ERROR_BADUTFOFFSET);
            return nullptr;
        }
        fOptions |= PCRE2_NO_UTF_CHECK;
    }
    fOffset = aOffset;
    return Run(0);
}

std::shared_ptr<TMatchData> TMatchContext::NextMatch() {
    if (!fActive) {
        return nullptr;
    }
    return Run(fPreviousEmpty ? PCRE2_NOTEMPTY_ATSTART : 0);
}

std::shared_ptr<TMatchData> TMatchContext::Run(std::uint32_t aExtraOptions) {
    fActive = false;
    auto data = std::make_shared<TMatchData>(fCode, fSubject);
    if (!data->Valid()) {
        SetError(PCRE2_ERROR_NOMEMORY);
        return nullptr;
    }
    const int rc = Execute(*data, fOptions | aExtraOptions);
    if (rc < 0) {
        SetError(rc);
        return nullptr;
    }
    data->SetMatched();
    // A match never ends before the offset it was searched from; should one do so,
    // iteration stops rather than run in circles.
    fActive = data->End() >= fOffset;
    fPreviousEmpty = data->End() <= data->Start();
    fOffset = data->End();
    return data;
}

int TMatchContext::Execute(TMatchData& aData, std::uint32_t aOptions) {
    const auto run = [&] {
        const auto subject = reinterpret_cast<PCRE2_SPTR>(fSubject->data());
        const std::size_t length = fSubject->size();
        pcre2_code* code = fCode->Handle();
        if (fMatchType == TMatchType::mtDFA) {
            int workspace[kDfaWorkspaceSize];
            return pcre2_dfa_match(code, subject, length, fOffset, aOptions, aData.Handle(),
                                   fMatchContext, workspace, std::size(workspace));
        }
        if (fMatchType == TMatchType::mtJIT && fCode->CanRunJIT(aOptions)) {
            return pcre2_jit_match(code, subject, length, fOffset, aOptions, aData.Handle(),
                                   fMatchContext);
        }
        return pcre2_match(code, subject, length, fOffset, aOptions, aData.Handle(), fMatchContext);
    };
    const int rc = run();
    if (rc == PCRE2_ERROR_JIT_STACKLIMIT && fMatchContext == nullptr && UseLargeStack()) {
        return run();
    }
    return rc;
}

bool TMatchContext::UseLargeStack() {
    fLargeStack = TJITStack::Lend();
    if (!fLargeStack) {
        return false;
    }
    fMatchContext = pcre2_match_context_create(nullptr);
    if (fMatchContext == nullptr) {
        return false;
    }
    pcre2_jit_stack_assign(fMatchContext, nullptr, fLargeStack->Handle());
    return true;
}

bool TMatchContext::OffsetSplitsCharacter(std::size_t aOffset) const {
    const std::u16string& subject = *fSubject;
    return aOffset > 0 && aOffset < subject.size() && IsLowSurrogate(subject[aOffset]) &&
           IsHighSurrogate(subject[aOffset - 1]);
}

} // namespace brivane::pcre
