#pragma once
// Errors of the HTTP client. The message is the text the client reports; the
// optional detail names the transport's own reason (a libcurl message, say), for
// front ends that show more than the message.

#include <stdexcept>
#include <string>

namespace brivane::net {

class ENetHTTPException : public std::runtime_error {
public:
    explicit ENetHTTPException(const std::string& aMessage, std::string aDetail = {})
        : std::runtime_error(aMessage), fDetail(std::move(aDetail)) {}
    const std::string& Detail() const { return fDetail; }

private:
    std::string fDetail;
};

// The exchange could not be carried out (no connection, no session, no answer).
class ENetHTTPClientException : public ENetHTTPException {
    using ENetHTTPException::ENetHTTPException;
};

// The exchange went against the client's rules (too many redirections).
class ENetHTTPRequestException : public ENetHTTPException {
    using ENetHTTPException::ENetHTTPException;
};

// The answer broke off or could not be read.
class ENetHTTPResponseException : public ENetHTTPException {
    using ENetHTTPException::ENetHTTPException;
};

// The server's certificate was not accepted.
class ENetHTTPCertificateException : public ENetHTTPException {
    using ENetHTTPException::ENetHTTPException;
};

// An address that does not parse.
class ENetURIException : public ENetHTTPException {
    using ENetHTTPException::ENetHTTPException;
};

} // namespace brivane::net
