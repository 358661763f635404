#pragma once

#include "lookup/LookupTimeouts.h"

#include <QByteArray>

#include <atomic>
#include <optional>

// What one GET asks for.
struct CHttpRequest {
    QByteArray url;
    // The Accept header; none when empty.
    QByteArray accept;
    // Connect: to open the connection; read: the longest silence; lookup: the whole transfer.
    CLookupTimeouts timeouts;
    // A certificate file trusted besides the system's store (tests, private relays); empty in
    // normal use. Certificates are verified whatever it holds.
    QByteArray caFile;
};

// How a GET ended: with an answer (any HTTP status), a failure in plain words, or stopped.
struct CHttpResponse {
    enum class Outcome { Answered, Failed, Stopped };

    Outcome outcome = Outcome::Failed;
    long status = 0;
    QByteArray body;
    // The server's Retry-After, in seconds, when it sent one.
    std::optional<long> retryAfterSeconds;
    QByteArray error;

    bool Answered() const { return outcome == Outcome::Answered; }
};

// One HTTP GET on the calling (worker) thread, through libcurl: an easy handle inside a private
// multi handle, so that Abort() from any thread ends the transfer at once. It follows at most
// three redirects and never from HTTPS to HTTP, reads at most 1 MiB of body, always verifies
// certificates, and honours the proxy environment variables.
class CHttpTransfer {
public:
    static constexpr qsizetype kMaxBody = 1024 * 1024;
    static constexpr long kMaxRedirects = 3;

    CHttpTransfer();
    ~CHttpTransfer();
    CHttpTransfer(const CHttpTransfer&) = delete;
    CHttpTransfer& operator=(const CHttpTransfer&) = delete;

    // Runs the GET to its end. Once aborted, a transfer stays stopped.
    CHttpResponse Get(const CHttpRequest& request);
    // Any thread.
    void Abort();
    bool IsAborted() const { return m_bAborted.load(); }

private:
    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self);
    static int OnConnected(void* self, char*, char*, int, int);
    void Configure(const CHttpRequest& request);
    // Drives the transfer; the libcurl result, or nothing when stopped.
    std::optional<int> Run(std::chrono::milliseconds silence);
    CHttpResponse Finish(int code);

    // libcurl's handles (CURLM*, CURL*), kept opaque so that users need not include curl.h.
    void* m_multi;
    void* m_easy;
    std::atomic<bool> m_bAborted{false};
    QByteArray m_body;
    bool m_bBodyTooLarge = false;
    // When the connection was made or the server last sent something.
    std::chrono::steady_clock::time_point m_lastHeard;
    char m_errorText[256] = {};
};

// The certificate file named by $QUILLON_CA_FILE, which HTTPS transfers trust besides the system's
// store (a private relay's or a test's own authority); empty when unset. It adds trust and never
// turns verification off.
QByteArray ExtraTrustedCaFile();

// Sets libcurl up for the whole program; one object lives in each program's main.
class CHttpLibrary {
public:
    CHttpLibrary();
    ~CHttpLibrary();
    CHttpLibrary(const CHttpLibrary&) = delete;
    CHttpLibrary& operator=(const CHttpLibrary&) = delete;
};
