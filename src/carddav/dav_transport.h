#pragma once
// One account's requests to its server, each bounded, one at a time, waited for in a local event
// loop (the caller's thread needs no event loop of its own, but a QCoreApplication must exist).
//
// Every request:
//   - goes only where server_address.h allows: redirects are followed by hand, to the same host and
//     never down to plain HTTP, at most `mostRedirects` times;
//   - carries the user name and password (Basic, and whatever scheme the server asks for once);
//   - is bounded in time: `connect` to reach the server and send the request, `whole` for the
//     whole exchange (a server that drips its answer byte by byte is stopped there);
//   - is bounded in size: an answer announced or grown larger than `largestResponse` is dropped;
//   - verifies the server's certificate; one that is not trusted is refused, unless its SHA-256
//     fingerprint is the one the user accepted (`acceptedFingerprint`);
//   - can be stopped from another thread through `cancelled`.
// A 401 is the failure Authentication; any other status comes back to the caller, with the body,
// so that it can tell a missing resource from a refused request (statusFailure gives the usual
// reason). Failures come back as SyncFailure, never as exceptions.

#include <QByteArray>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>

#include "carddav/sync_failure.h"

class QNetworkAccessManager;

namespace velorine::carddav {

struct DavLimits {
    std::chrono::milliseconds connect{15'000};
    std::chrono::milliseconds whole{60'000};
    qint64 largestResponse = qint64{32} << 20;
    int mostRedirects = 5;
    int mostCards = 50'000;  // cards in a book, and responses in one answer
};

struct DavAccount {
    QString user;
    QString password;
    std::string acceptedFingerprint;  // "AB:CD:…", or empty
};

struct DavReply {
    int status = 0;
    QByteArray body;
    QUrl url;  // where the answer came from, after redirects
    MaybeFailure failure;
};

class DavTransport {
public:
    DavTransport(DavAccount account, DavLimits limits, const std::atomic<bool>* cancelled = nullptr);
    ~DavTransport();
    DavTransport(const DavTransport&) = delete;
    DavTransport& operator=(const DavTransport&) = delete;

    // Sends `method` (PROPFIND, REPORT…) with the Depth header and the XML body, and waits.
    DavReply send(const QByteArray& method, const QUrl& url, int depth, const QByteArray& body);

    const DavLimits& limits() const { return limits_; }
    // The requests sent so far (a redirect followed is one more).
    int requestCount() const { return requests_; }

private:
    class Exchange;
    DavAccount account_;
    DavLimits limits_;
    const std::atomic<bool>* cancelled_;
    std::unique_ptr<QNetworkAccessManager> network_;
    int requests_ = 0;
};

// The reason for a status that ends a step: 403, 404, 5xx… (`what` names the resource asked for).
SyncFailure statusFailure(int status, const QUrl& url);

// The SHA-256 fingerprint of a certificate in DER, as "AB:CD:…".
std::string fingerprintOf(const QByteArray& der);

}  // namespace velorine::carddav
