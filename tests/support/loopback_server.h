#pragma once
// Servers on 127.0.0.1 for tests that talk HTTP: the demo's HTTP server
// (demo/loopback_server.h), and a bare TCP server for answers HTTP would not give.
//
// Handlers run on server threads: state they share with the test needs a lock
// or an atomic (ThreadSanitizer does not see a socket as synchronisation).

#include "demo/loopback_server.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

namespace brivane::test {

using demo::TLoopbackServer;

// A bare TCP server on 127.0.0.1 for answers an HTTP library would not send (a
// body cut off, headers in a given order). Each accepted connection is handed to
// the handler on the server's thread, one at a time, and closed afterwards.
class TRawLoopbackServer {
public:
    using THandler = std::function<void(int aSocket)>;
    explicit TRawLoopbackServer(THandler aHandler);
    ~TRawLoopbackServer();
    TRawLoopbackServer(const TRawLoopbackServer&) = delete;
    TRawLoopbackServer& operator=(const TRawLoopbackServer&) = delete;

    int Port() const { return fPort; }
    std::string Url(std::string_view aPath = "/") const;

private:
    int fListener = -1;
    int fPort = 0;
    std::thread fThread;
};

// Reads a request's head, through the blank line that ends it (empty when the
// peer closes first).
std::string ReadRequestHead(int aSocket);
// Writes all of aBytes (ignoring a peer that went away).
void SendAll(int aSocket, std::string_view aBytes);
// Ends the sending half: the peer reads the end of the stream.
void ShutdownSending(int aSocket);
// Reads and drops what comes until the peer closes the connection (a server that says
// nothing until its client gives up).
void WaitForPeerToClose(int aSocket);

} // namespace brivane::test
