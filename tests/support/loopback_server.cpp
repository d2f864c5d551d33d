#include "support/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace brivane::test {

TRawLoopbackServer::TRawLoopbackServer(THandler aHandler) {
    fListener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fListener < 0 || ::bind(fListener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(fListener, 16) != 0 ||
        ::getsockname(fListener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot listen on a loopback port");
    }
    fPort = ntohs(address.sin_port);
    fThread = std::thread([this, handler = std::move(aHandler)] {
        while (true) {
            const int connection = ::accept4(fListener, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0) {
                return; // the listener was shut down
            }
            handler(connection);
            ::close(connection);
        }
    });
}

TRawLoopbackServer::~TRawLoopbackServer() {
    ::shutdown(fListener, SHUT_RDWR);
    fThread.join();
    ::close(fListener);
}

std::string TRawLoopbackServer::Url(std::string_view aPath) const {
    return "http://127.0.0.1:" + std::to_string(fPort) + std::string(aPath);
}

std::string ReadRequestHead(int aSocket) {
    std::string head;
    char byte;
    while (!head.ends_with("\r\n\r\n") && ::recv(aSocket, &byte, 1, 0) == 1) {
        head += byte;
    }
    return head;
}

void SendAll(int aSocket, std::string_view aBytes) {
    while (!aBytes.empty()) {
        const auto sent = ::send(aSocket, aBytes.data(), aBytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) {
            return;
        }
        aBytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

} // namespace brivane::test
