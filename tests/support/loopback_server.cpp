#include "support/loopback_server.h"

#include <stdexcept>

// httplib.h (through the demo's server) brings the socket headers of either system, and
// on Windows starts winsock.
// POSIX sockets are not inherited by the programs tests start (which would keep a
// connection open); Windows' are not inherited unless asked for.
#ifdef _WIN32
using socklen_t = int;
constexpr int kSocketFlags = 0;
constexpr int kShutBoth = SD_BOTH;
constexpr int kShutWrite = SD_SEND;
constexpr int kSendFlags = 0;
#define accept4(socket, address, length, flags) ::accept(socket, address, length)
#else
constexpr int kSocketFlags = SOCK_CLOEXEC;
constexpr int kShutBoth = SHUT_RDWR;
constexpr int kShutWrite = SHUT_WR;
constexpr int kSendFlags = MSG_NOSIGNAL;
#endif

namespace brivane::test {

namespace {

// Sockets are ints in the tests' handlers: Windows' socket handles fit in 32 bits.
socket_t Native(int aSocket) {
    return static_cast<socket_t>(aSocket);
}

} // namespace

TRawLoopbackServer::TRawLoopbackServer(THandler aHandler) {
    const auto listener = ::socket(AF_INET, SOCK_STREAM | kSocketFlags, 0);
    fListener = listener == INVALID_SOCKET ? -1 : static_cast<int>(listener);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fListener < 0 ||
        ::bind(Native(fListener), reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(Native(fListener), 16) != 0 ||
        ::getsockname(Native(fListener), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot listen on a loopback port");
    }
    fPort = ntohs(address.sin_port);
    fThread = std::thread([this, handler = std::move(aHandler)] {
        while (true) {
            const auto connection = accept4(Native(fListener), nullptr, nullptr, kSocketFlags);
            if (connection == INVALID_SOCKET) {
                return; // the listener was shut down
            }
            handler(static_cast<int>(connection));
            httplib::detail::close_socket(connection);
        }
    });
}

TRawLoopbackServer::~TRawLoopbackServer() {
    ::shutdown(Native(fListener), kShutBoth);
    // Windows does not wake a blocked accept on shutdown; closing the socket does.
#ifdef _WIN32
    httplib::detail::close_socket(Native(fListener));
    fThread.join();
#else
    fThread.join();
    httplib::detail::close_socket(Native(fListener));
#endif
}

std::string TRawLoopbackServer::Url(std::string_view aPath) const {
    return "http://127.0.0.1:" + std::to_string(fPort) + std::string(aPath);
}

std::string ReadRequestHead(int aSocket) {
    std::string head;
    char byte;
    while (!head.ends_with("\r\n\r\n") && ::recv(Native(aSocket), &byte, 1, 0) == 1) {
        head += byte;
    }
    return head;
}

void SendAll(int aSocket, std::string_view aBytes) {
    while (!aBytes.empty()) {
        const auto sent =
            ::send(Native(aSocket), aBytes.data(), static_cast<int>(aBytes.size()), kSendFlags);
        if (sent <= 0) {
            return;
        }
        aBytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

void WaitForPeerToClose(int aSocket) {
    char byte;
    while (::recv(Native(aSocket), &byte, 1, 0) > 0) {
    }
}

void ShutdownSending(int aSocket) {
    ::shutdown(Native(aSocket), kShutWrite);
}

} // namespace brivane::test
