// The Windows System Assessment Tool's most recent formal assessment, through its COM
// class. Windows 8.1 and later may lack it, and Wine has none: the query is then null.

#include "platform/system_assessment.h"

#include "platform/windows/wide.h"

#include <windows.h>

#include <objbase.h>
#include <oleauto.h>
#include <winsatcominterfacei.h>

#include <stdexcept>

namespace brivane::platform {

namespace {

// The interfaces as the system declares them; the mingw-w64 headers carry only their
// enumerations. Only the methods used are named, the others keep their vtable slots.
struct IProvideWinSATAssessmentInfo : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Score(float* aScore) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Title(BSTR* aTitle) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Description(BSTR* aDescription) = 0;
};

struct IProvideWinSATResultsInfo : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE GetAssessmentInfo(WINSAT_ASSESSMENT_TYPE aType,
                                                        IProvideWinSATAssessmentInfo** aInfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AssessmentState(WINSAT_ASSESSMENT_STATE* aState) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AssessmentDateTime(VARIANT* aFileTime) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SystemRating(float* aLevel) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RatingStateDesc(BSTR* aDescription) = 0;
};

struct IQueryRecentWinSATAssessment : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_XML(BSTR aXPath, BSTR aNamespaces, IUnknown** aNodes) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Info(IProvideWinSATResultsInfo** aInfo) = 0;
};

constexpr CLSID kQueryWinSatClass = {
    0xF3BDFAD3, 0xF276, 0x49E9, {0x9B, 0x17, 0xC4, 0x74, 0xF4, 0x8F, 0x07, 0x64}};
constexpr IID kQueryRecentAssessmentInterface = {
    0xF8AD5D1F, 0x3B47, 0x4BDC, {0x93, 0x75, 0x7C, 0x6B, 0x1D, 0xA4, 0xEC, 0xA7}};

// A COM interface pointer released when its owner goes.
template <typename T>
class TComPtr {
public:
    TComPtr() = default;
    ~TComPtr() {
        if (fPointer != nullptr) {
            fPointer->Release();
        }
    }
    TComPtr(TComPtr&& aOther) noexcept : fPointer(aOther.fPointer) { aOther.fPointer = nullptr; }
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    T* operator->() const { return fPointer; }
    T** Out() { return &fPointer; }
    explicit operator bool() const { return fPointer != nullptr; }

private:
    T* fPointer = nullptr;
};

// A BSTR's text, freed.
std::string TakeText(BSTR aText) {
    std::string text = aText != nullptr ? windows::Narrow({aText, SysStringLen(aText)}) : "";
    SysFreeString(aText);
    return text;
}

void Check(HRESULT aResult, const char* aWhat) {
    if (FAILED(aResult)) {
        throw std::runtime_error(std::string("The system assessment cannot tell ") + aWhat + ": " +
                                 windows::SystemMessage(static_cast<unsigned long>(aResult)));
    }
}

// COM on the calling thread for as long as the object lives, when this call started it.
class TComApartment {
public:
    TComApartment() : fStarted(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~TComApartment() {
        if (fStarted) {
            CoUninitialize();
        }
    }
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;

private:
    bool fStarted;
};

class TWinSatQuery final : public IAssessmentQuery {
public:
    bool Create() {
        return SUCCEEDED(CoCreateInstance(kQueryWinSatClass, nullptr, CLSCTX_INPROC_SERVER,
                                          kQueryRecentAssessmentInterface,
                                          reinterpret_cast<void**>(fQuery.Out())));
    }

    int AssessmentState() override {
        WINSAT_ASSESSMENT_STATE state = WINSAT_ASSESSMENT_STATE_UNKNOWN;
        Check(Results()->get_AssessmentState(&state), "its state");
        return static_cast<int>(state);
    }

    TDateTime AssessmentDateTime() override {
        VARIANT value;
        VariantInit(&value);
        Check(Results()->get_AssessmentDateTime(&value), "its date");
        // An automation date counts days from 1899-12-30 in local time, as TDateTime does.
        const HRESULT converted = VariantChangeType(&value, &value, 0, VT_DATE);
        const double date = SUCCEEDED(converted) ? value.date : 0.0;
        VariantClear(&value);
        Check(converted, "its date");
        return date;
    }

    double SystemRating() override {
        float rating = 0;
        Check(Results()->get_SystemRating(&rating), "the rating");
        return rating;
    }

    std::string RatingStateDesc() override {
        BSTR text = nullptr;
        Check(Results()->get_RatingStateDesc(&text), "the rating's state");
        return TakeText(text);
    }

    TAssessmentItem GetAssessmentInfo(TAssessmentType aType) override {
        TComPtr<IProvideWinSATAssessmentInfo> info;
        Check(Results()->GetAssessmentInfo(static_cast<WINSAT_ASSESSMENT_TYPE>(aType), info.Out()),
              "a component");
        if (!info) {
            throw std::runtime_error("The system assessment has no such component");
        }
        TAssessmentItem item;
        BSTR text = nullptr;
        Check(info->get_Title(&text), "a component's title");
        item.Title = TakeText(text);
        text = nullptr;
        Check(info->get_Description(&text), "a component's description");
        item.Description = TakeText(text);
        float score = 0;
        Check(info->get_Score(&score), "a component's score");
        item.Score = score;
        return item;
    }

private:
    // The results are asked for afresh each time, as the assessment may be renewed.
    TComPtr<IProvideWinSATResultsInfo> Results() {
        TComPtr<IProvideWinSATResultsInfo> results;
        Check(fQuery->get_Info(results.Out()), "its results");
        if (!results) {
            throw std::runtime_error("The system assessment has no results");
        }
        return results;
    }

    TComApartment fApartment;                     // ends after the query is released
    TComPtr<IQueryRecentWinSATAssessment> fQuery; // on the thread that made it
};

} // namespace

std::shared_ptr<IAssessmentQuery> CreateAssessmentQuery() {
    auto query = std::make_shared<TWinSatQuery>();
    if (!query->Create()) {
        return nullptr; // ends COM on this thread again with the query
    }
    return query;
}

} // namespace brivane::platform
