#include "lookup/HttpTransfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

// How long one wait for the transfer may block; Abort() wakes it sooner.
constexpr std::chrono::milliseconds kLongestWait{1000};

QByteArray FailureText(CURLcode code, const char* errorText)
{
    const QByteArray detail(errorText[0] ? errorText : curl_easy_strerror(code));
    switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
        return "the server did not answer in time (" + detail + ")";
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return "the server's name could not be resolved (" + detail + ")";
    case CURLE_COULDNT_CONNECT:
        return "unable to connect to the server (" + detail + ")";
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
        return "the server's certificate is not trusted (" + detail + ")";
    case CURLE_SSL_CONNECT_ERROR:
        return "the secure connection could not be set up (" + detail + ")";
    case CURLE_TOO_MANY_REDIRECTS:
        return "the server redirected too often (" + detail + ")";
    case CURLE_UNSUPPORTED_PROTOCOL:
        return "the server redirected to an address that is not allowed (" + detail + ")";
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
    case CURLE_GOT_NOTHING:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
        return "the connection broke off before the answer was complete (" + detail + ")";
    default:
        return detail;
    }
}

} // namespace

QByteArray ExtraTrustedCaFile()
{
    return qgetenv("QUILLON_CA_FILE");
}

CHttpLibrary::CHttpLibrary()
{
    curl_global_init(CURL_GLOBAL_DEFAULT);
}

CHttpLibrary::~CHttpLibrary()
{
    curl_global_cleanup();
}

CHttpTransfer::CHttpTransfer()
    : m_multi(curl_multi_init())
    , m_easy(curl_easy_init())
{}

CHttpTransfer::~CHttpTransfer()
{
    curl_easy_cleanup(m_easy);
    curl_multi_cleanup(m_multi);
}

void CHttpTransfer::Abort()
{
    m_bAborted.store(true);
    curl_multi_wakeup(m_multi);
}

CHttpResponse CHttpTransfer::Get(const CHttpRequest& request)
{
    if (!m_multi || !m_easy) {
        return {CHttpResponse::Outcome::Failed,
                0,
                {},
                std::nullopt,
                "the HTTP library could not start"};
    }
    static_assert(sizeof m_errorText >= CURL_ERROR_SIZE);
    m_errorText[0] = '\0';
    m_body.clear();
    m_bBodyTooLarge = false;
    m_lastHeard = Clock::now();
    Configure(request);
    curl_slist* headers = nullptr;
    if (!request.accept.isEmpty()) {
        headers = curl_slist_append(headers, ("Accept: " + request.accept).constData());
        curl_easy_setopt(m_easy, CURLOPT_HTTPHEADER, headers);
    }
    curl_multi_add_handle(m_multi, m_easy);
    const std::optional<int> code = Run(request.timeouts.read);
    curl_multi_remove_handle(m_multi, m_easy);
    curl_slist_free_all(headers);
    if (!code) {
        return {CHttpResponse::Outcome::Stopped, 0, {}, std::nullopt, "the lookup was stopped"};
    }
    return Finish(*code);
}

void CHttpTransfer::Configure(const CHttpRequest& request)
{
    CURL* easy = m_easy;
    curl_easy_setopt(easy, CURLOPT_URL, request.url.constData());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, m_errorText);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    // A lookup that started over HTTPS stays on HTTPS; plain HTTP is for relays and tests.
    const bool secure = request.url.startsWith("https:");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!request.caFile.isEmpty()) {
        // Replaces the bundle file only: the system's certificate folder stays trusted.
        curl_easy_setopt(easy, CURLOPT_CAINFO, request.caFile.constData());
    }
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(request.timeouts.connect.count()));
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(request.timeouts.lookup.count()));
    curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(easy, CURLOPT_USERAGENT, "Quillon/" QUILLON_HTTP_VERSION);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CHttpTransfer::OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &CHttpTransfer::OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    // The read timeout counts silence from the moment the connection stands.
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, &CHttpTransfer::OnConnected);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, this);
}

int CHttpTransfer::OnConnected(void* self, char*, char*, int, int)
{
    static_cast<CHttpTransfer*>(self)->m_lastHeard = Clock::now();
    return CURL_PREREQFUNC_OK;
}

std::size_t CHttpTransfer::OnHeader(char*, std::size_t size, std::size_t count, void* self)
{
    static_cast<CHttpTransfer*>(self)->m_lastHeard = Clock::now();
    return size * count;
}

std::size_t CHttpTransfer::OnBody(char* data, std::size_t size, std::size_t count, void* self)
{
    auto& transfer = *static_cast<CHttpTransfer*>(self);
    transfer.m_lastHeard = Clock::now();
    const auto length = static_cast<qsizetype>(size * count);
    if (transfer.m_body.size() + length > kMaxBody) {
        transfer.m_bBodyTooLarge = true;
        return 0; // libcurl ends the transfer with a write error
    }
    transfer.m_body.append(data, length);
    return size * count;
}

std::optional<int> CHttpTransfer::Run(std::chrono::milliseconds silence)
{
    for (;;) {
        if (m_bAborted.load()) {
            return std::nullopt;
        }
        int running = 0;
        if (curl_multi_perform(m_multi, &running) != CURLM_OK) {
            return CURLE_FAILED_INIT;
        }
        if (running == 0) {
            break;
        }
        const auto quiet =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_lastHeard);
        if (quiet >= silence) {
            std::snprintf(m_errorText, sizeof m_errorText, "nothing received for %lld ms",
                          static_cast<long long>(quiet.count()));
            return CURLE_OPERATION_TIMEDOUT;
        }
        const auto wait = std::min(kLongestWait, silence - quiet);
        curl_multi_poll(m_multi, nullptr, 0, static_cast<int>(wait.count()) + 1, nullptr);
    }
    int queued = 0;
    while (const CURLMsg* message = curl_multi_info_read(m_multi, &queued)) {
        if (message->msg == CURLMSG_DONE) {
            return message->data.result;
        }
    }
    return CURLE_FAILED_INIT;
}

CHttpResponse CHttpTransfer::Finish(int code)
{
    CHttpResponse response;
    if (m_bBodyTooLarge) {
        response.error = "the answer is larger than 1 MiB";
        return response;
    }
    if (code != CURLE_OK) {
        response.error = FailureText(static_cast<CURLcode>(code), m_errorText);
        return response;
    }
    response.outcome = CHttpResponse::Outcome::Answered;
    curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &response.status);
    curl_off_t retryAfter = 0;
    if (curl_easy_getinfo(m_easy, CURLINFO_RETRY_AFTER, &retryAfter) == CURLE_OK &&
        retryAfter > 0) {
        response.retryAfterSeconds = static_cast<long>(retryAfter);
    }
    response.body = std::move(m_body);
    return response;
}
