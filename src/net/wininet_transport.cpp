#include "net/wininet_transport.h"

#include "net/net_errors.h"
#include "net/transfer.h"
#include "platform/windows/wide.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace brivane::net {

namespace {

using TClock = std::chrono::steady_clock;

constexpr DWORD kRequestFlags = INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_NO_COOKIES |
                                INTERNET_FLAG_NO_UI | INTERNET_FLAG_RELOAD |
                                INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                                INTERNET_FLAG_KEEP_CONNECTION;

// A timer's slack: a receive time-out that strikes this much early is still one.
constexpr std::chrono::milliseconds kTimerSlack{50};

using platform::windows::Narrow;
using platform::windows::Wide;

// WinINet's message for an error code, from its own module; "(12029) The attempt
// to connect to the server failed".
std::string ErrorText(DWORD aCode) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE |
                           FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       GetModuleHandleW(L"wininet.dll"), aCode, 0,
                       reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length == 0 ? std::wstring() : std::wstring(buffer, length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return "(" + std::to_string(aCode) + ") " + (text.empty() ? "Unknown error" : Narrow(text));
}

bool IsServerCertificateFailure(DWORD aCode) {
    switch (aCode) {
    case ERROR_INTERNET_SEC_CERT_DATE_INVALID:
    case ERROR_INTERNET_SEC_CERT_CN_INVALID:
    case ERROR_INTERNET_INVALID_CA:
    case ERROR_INTERNET_SEC_CERT_ERRORS:
    case ERROR_INTERNET_SEC_CERT_REVOKED:
    case ERROR_INTERNET_SEC_CERT_REV_FAILED:
    case ERROR_INTERNET_SEC_INVALID_CERT:
        return true;
    default:
        return false;
    }
}

void SetTimeout(HINTERNET aHandle, DWORD aOption, std::chrono::milliseconds aTime) {
    DWORD value = static_cast<DWORD>(
        std::clamp<std::chrono::milliseconds::rep>(aTime.count(), 1, 0x7FFFFFFF));
    InternetSetOptionW(aHandle, aOption, &value, sizeof value);
}

// HttpSendRequestW on a thread of its own when the exchange has a deadline, so that
// the wait for the answer's head ends then, however steadily the server trickles it.
// Closing the request handle ends the call on Windows; Wine's call runs on until the
// server stops, so the job owns everything the call uses and may outlive its attempt,
// and its client: it holds the session too, to close its handles before their parent.
class TSendJob {
public:
    TSendJob(std::shared_ptr<void> aSession, HINTERNET aConnection, HINTERNET aRequest)
        : fSession(std::move(aSession)), fConnection(aConnection), fRequest(aRequest) {}
    ~TSendJob() {
        if (!fAbandoned) { // else closed when it was abandoned
            InternetCloseHandle(fRequest);
        }
        InternetCloseHandle(fConnection);
    }
    TSendJob(const TSendJob&) = delete;
    TSendJob& operator=(const TSendJob&) = delete;

    HINTERNET Request() const { return fRequest; }

    // Sends, waiting no longer than aDeadline; false when the call failed or the
    // deadline came first (TimedOut() tells which), with GetLastError() set.
    static bool Send(const std::shared_ptr<TSendJob>& aJob, std::wstring aHeaders,
                     std::string aBody, std::optional<TClock::time_point> aDeadline);
    bool TimedOut() const { return fAbandoned; }

private:
    std::shared_ptr<void> fSession; // closed after the handles below, by its last holder
    HINTERNET fConnection;
    HINTERNET fRequest;
    std::wstring fHeaders;
    std::string fBody;
    std::mutex fLock;
    std::condition_variable fDone;
    bool fFinished = false;
    bool fAbandoned = false;
    BOOL fResult = FALSE;
    DWORD fError = ERROR_SUCCESS;

    void Run() {
        const BOOL result = HttpSendRequestW(
            fRequest, fHeaders.c_str(), static_cast<DWORD>(fHeaders.size()),
            fBody.empty() ? nullptr : fBody.data(), static_cast<DWORD>(fBody.size()));
        const DWORD error = GetLastError();
        {
            const std::lock_guard guard(fLock);
            fFinished = true;
            fResult = result;
            fError = error;
        }
        fDone.notify_one();
    }
};

bool TSendJob::Send(const std::shared_ptr<TSendJob>& aJob, std::wstring aHeaders, std::string aBody,
                    std::optional<TClock::time_point> aDeadline) {
    aJob->fHeaders = std::move(aHeaders);
    aJob->fBody = std::move(aBody);
    if (!aDeadline) {
        aJob->Run();
    } else {
        std::thread([aJob] { aJob->Run(); }).detach();
        std::unique_lock lock(aJob->fLock);
        if (!aJob->fDone.wait_until(lock, *aDeadline, [&] { return aJob->fFinished; })) {
            aJob->fAbandoned = true;
            lock.unlock();
            InternetCloseHandle(aJob->fRequest);
            SetLastError(ERROR_INTERNET_TIMEOUT);
            return false;
        }
    }
    SetLastError(aJob->fError);
    return aJob->fResult != FALSE;
}

// The answer's head as WinINet received it: status line, header lines, empty line.
// The ANSI query gives the header bytes as they came (WinINet keeps them so), where
// the wide one would decode them in the system's code page.
std::optional<std::string> RawHead(HINTERNET aRequest) {
    DWORD size = 0;
    HttpQueryInfoA(aRequest, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &size, nullptr);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return std::nullopt;
    }
    std::string head(size, '\0');
    if (!HttpQueryInfoA(aRequest, HTTP_QUERY_RAW_HEADERS_CRLF, head.data(), &size, nullptr)) {
        return std::nullopt;
    }
    head.resize(size);
    return head;
}

// "[::1]" is "::1" to WinINet.
std::string ServerName(const std::string& aHost) {
    return aHost.size() > 2 && aHost.front() == '[' && aHost.back() == ']'
               ? aHost.substr(1, aHost.size() - 2)
               : aHost;
}

} // namespace

// One attempt over an open request handle, which it owns from then on.
class TWinINetHTTPClient::TAttempt {
public:
    TAttempt(std::shared_ptr<TSendJob> aJob, TTransfer& aTransfer,
             std::chrono::milliseconds aResponseTimeout)
        : fJob(std::move(aJob)), fRequest(fJob->Request()), fTransfer(aTransfer),
          fResponseTimeout(aResponseTimeout) {}
    TAttempt(const TAttempt&) = delete;
    TAttempt& operator=(const TAttempt&) = delete;

    // Sends the request and takes the answer's head.
    TExecution Send(std::wstring aHeaders, const std::optional<std::string>& aBody);
    // Reads the body into the transfer; throws ENetHTTPResponseException when it breaks off.
    void ReadBody();

private:
    using TResult = TExecutionResult;

    // Records why the latest call failed: a limit, or WinINet's error code.
    void Failed();
    std::string Detail() const {
        return fTransfer.Exceeded() != TTransfer::TCutOff::None ? fTransfer.LimitText()
                                                                : ErrorText(fError);
    }
    [[noreturn]] void ThrowReadError() const;

    std::shared_ptr<TSendJob> fJob; // owns the handles
    HINTERNET fRequest;
    TTransfer& fTransfer;
    std::chrono::milliseconds fResponseTimeout;
    TClock::time_point fStarted = TClock::now();
    DWORD fError = ERROR_SUCCESS;
};

void TWinINetHTTPClient::TAttempt::Failed() {
    fError = GetLastError();
    if (fJob->TimedOut()) {
        fTransfer.CutOff(TTransfer::TCutOff::TimeLimit);
    } else if (!fTransfer.CheckLimits() && fError == ERROR_INTERNET_TIMEOUT &&
               TClock::now() - fStarted + kTimerSlack >= fResponseTimeout) {
        fTransfer.CutOff(TTransfer::TCutOff::Stalled);
    }
}

THTTPClient::TExecution
TWinINetHTTPClient::TAttempt::Send(std::wstring aHeaders, const std::optional<std::string>& aBody) {
    const auto size = static_cast<std::int64_t>(aBody ? aBody->size() : 0);
    if (!TSendJob::Send(fJob, std::move(aHeaders), aBody.value_or(std::string()),
                        fTransfer.Request().Deadline())) {
        Failed();
        if (IsServerCertificateFailure(fError)) {
            return {TResult::ServerCertificateInvalid, Detail()};
        }
        if (fError == ERROR_INTERNET_CLIENT_AUTH_CERT_NEEDED) {
            return {TResult::ClientCertificateNeeded, Detail()};
        }
        return {TResult::UnknownError, Detail()};
    }
    fTransfer.Sent(size);
    const auto head = RawHead(fRequest);
    if (!head) {
        Failed();
        return {TResult::UnknownError, Detail()};
    }
    for (std::string_view rest = *head; !rest.empty();) {
        const auto end = rest.find('\n');
        const auto line = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
        rest.remove_prefix(line.size());
        if (!fTransfer.TakeHeadLine(line)) {
            break; // too large, or the receive-data handler aborted
        }
    }
    if (fTransfer.Exceeded() != TTransfer::TCutOff::None) {
        return {TResult::UnknownError, Detail()};
    }
    if (!fTransfer.Response().HeadComplete() && !fTransfer.Aborted()) {
        fError = ERROR_HTTP_INVALID_SERVER_RESPONSE;
        return {TResult::UnknownError, Detail()};
    }
    return {};
}

void TWinINetHTTPClient::TAttempt::ReadBody() {
    const std::int64_t announced = fTransfer.Response().GetContentLength();
    std::int64_t read = 0;
    char buffer[kTransferBlockSize];
    while (!fTransfer.Aborted()) {
        DWORD available = 0;
        if (fTransfer.CheckLimits() || !InternetQueryDataAvailable(fRequest, &available, 0, 0)) {
            Failed();
            ThrowReadError();
        }
        // Asking for no more than is there keeps a slow server from holding a read
        // (and the checks of the limits) until a whole block has come.
        const DWORD wanted = std::clamp<DWORD>(available, 1, sizeof buffer);
        DWORD count = 0;
        if (!InternetReadFile(fRequest, buffer, wanted, &count)) {
            Failed();
            ThrowReadError();
        }
        if (count == 0) {
            break;
        }
        read += count;
        fTransfer.TakeBody(std::string_view(buffer, count));
    }
    if (fTransfer.Aborted()) {
        return; // the response keeps what it has: status and headers
    }
    const int status = fTransfer.Response().GetStatusCode();
    const bool hasBody = status != 204 && status != 304; // their Content-Length is no body's
    if (hasBody && announced > 0 && read < announced) {
        fError = ERROR_INTERNET_CONNECTION_RESET; // the server closed before the end
        ThrowReadError();
    }
    fTransfer.Finish();
}

void TWinINetHTTPClient::TAttempt::ThrowReadError() const {
    const DWORD code = fTransfer.Exceeded() != TTransfer::TCutOff::None &&
                               fTransfer.Exceeded() != TTransfer::TCutOff::HeadTooLarge
                           ? ERROR_INTERNET_TIMEOUT
                           : fError;
    throw ENetHTTPResponseException("Error reading data: " + ErrorText(code), Detail());
}

void TWinINetHTTPClient::THandleCloser::operator()(void* aHandle) const {
    InternetCloseHandle(aHandle);
}

// The session is opened by the first request, not here: every catalogue entry makes a
// client when it is made, many never send a request, and opening a session is slow
// enough (half a millisecond under Wine) to add up over the whole catalogue.
TWinINetHTTPClient::TWinINetHTTPClient() = default;

TWinINetHTTPClient::~TWinINetHTTPClient() = default;

std::shared_ptr<void> TWinINetHTTPClient::Session(const TURI& aTarget) {
    std::optional<std::string> proxy; // none: the system's settings
    if (const auto& settings = ProxySettings()) {
        proxy = UsesProxy(*settings, aTarget)
                    ? settings->Host + ":" + std::to_string(settings->Port)
                    : std::string();
    }
    if (fSession && proxy == fSessionProxy) {
        return fSession;
    }
    fSession.reset();
    HINTERNET session = nullptr;
    if (!proxy) {
        session = InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    } else if (proxy->empty()) {
        session = InternetOpenW(nullptr, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    } else {
        // "<-loopback>": a named proxy carries loopback requests too, as it does elsewhere.
        session = InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PROXY, Wide(*proxy).c_str(),
                                L"<-loopback>", 0);
    }
    if (session == nullptr) {
        throw ENetHTTPClientException("Error obtaining session handle", ErrorText(GetLastError()));
    }
    fSession = std::shared_ptr<void>(session, THandleCloser());
    fSessionProxy = std::move(proxy);
    BOOL decoding = FALSE; // bodies stay as they came: the framework decodes them
    InternetSetOptionW(session, INTERNET_OPTION_HTTP_DECODING, &decoding, sizeof decoding);
    return fSession;
}

THTTPClient::TExecution TWinINetHTTPClient::ExecuteRequest(const THTTPRequest& aRequest,
                                                           THTTPResponse& aResponse,
                                                           TContentStream* aContent) {
    const TURI target = TransferTarget(aRequest.GetURL());
    TTransfer transfer(aRequest, aResponse, aContent,
                       {ResponseTimeout(), MinimumSpeed(), TimeLimit()});
    const auto timeLeft = transfer.TimeLeft();
    if (timeLeft && timeLeft->count() <= 0) { // the redirects before used up the time
        transfer.CutOff(TTransfer::TCutOff::TimeLimit);
        return {TExecutionResult::UnknownError, transfer.LimitText()};
    }

    auto session = Session(target);
    THandle connection(InternetConnectW(session.get(), Wide(ServerName(target.Host)).c_str(),
                                        static_cast<INTERNET_PORT>(target.Port), nullptr, nullptr,
                                        INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) {
        return {TExecutionResult::UnknownError, ErrorText(GetLastError())};
    }
    const DWORD flags = kRequestFlags | (target.Scheme == "https" ? INTERNET_FLAG_SECURE : 0);
    HINTERNET request = HttpOpenRequestW(connection.get(), Wide(aRequest.GetMethod()).c_str(),
                                         Wide(target.ResourcePath()).c_str(), L"HTTP/1.1", nullptr,
                                         nullptr, flags, 0);
    if (request == nullptr) {
        return {TExecutionResult::UnknownError, ErrorText(GetLastError())};
    }
    TAttempt attempt(std::make_shared<TSendJob>(std::move(session), connection.release(), request),
                     transfer, ResponseTimeout());
    // A body that stalls ends at the deadline too.
    const auto receiveTimeout =
        timeLeft ? std::min(ResponseTimeout(), *timeLeft + kTimerSlack) : ResponseTimeout();
    SetTimeout(request, INTERNET_OPTION_CONNECT_TIMEOUT, ConnectionTimeout());
    SetTimeout(request, INTERNET_OPTION_SEND_TIMEOUT, receiveTimeout);
    SetTimeout(request, INTERNET_OPTION_RECEIVE_TIMEOUT, receiveTimeout);

    std::string headers;
    for (const auto& header : WireHeaders(aRequest)) {
        headers += header.Name + ": " + header.Value + "\r\n";
    }
    const TExecution sent = attempt.Send(Wide(headers), aRequest.GetSourceStream());
    if (sent.Result == TExecutionResult::Success && aRequest.GetMethod() != "HEAD" &&
        !transfer.Aborted()) {
        attempt.ReadBody();
    }
    return sent;
}

} // namespace brivane::net
