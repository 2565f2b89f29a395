#include "carddav/dav_transport.h"

#include <QAuthenticator>
#include <QCryptographicHash>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslError>
#include <QTimer>

#include "carddav/server_address.h"

namespace velorine::carddav {
namespace {

constexpr std::chrono::milliseconds kCancelPoll{50};
const char* const kAnsweredProperty = "velorineAnswered";

std::string quoted(const std::string& text) { return "« " + text + " »"; }

std::string seconds(std::chrono::milliseconds duration) {
    const auto whole = std::chrono::duration_cast<std::chrono::seconds>(duration).count();
    return whole >= 1 ? std::to_string(whole) + " s" : std::to_string(duration.count()) + " ms";
}

bool isRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::string certificateProblem(const QList<QSslError>& errors) {
    for (const QSslError& error : errors) {
        switch (error.error()) {
            case QSslError::SelfSignedCertificate:
            case QSslError::SelfSignedCertificateInChain: return "il est signé par lui-même (auto-signé)";
            case QSslError::CertificateExpired: return "il a expiré";
            case QSslError::CertificateNotYetValid: return "il n'est pas encore valable";
            case QSslError::CertificateRevoked: return "il a été révoqué";
            case QSslError::HostNameMismatch: return "il a été établi pour un autre nom de serveur";
            case QSslError::UnableToGetLocalIssuerCertificate:
            case QSslError::UnableToGetIssuerCertificate:
            case QSslError::UnableToVerifyFirstCertificate:
            case QSslError::CertificateUntrusted: return "son émetteur n'est pas une autorité reconnue";
            default: break;
        }
    }
    return "il n'a pas pu être vérifié";
}

QSslCertificate certificateOf(const QList<QSslError>& errors, const QNetworkReply& reply) {
    for (const QSslError& error : errors)
        if (!error.certificate().isNull()) return error.certificate();
    return reply.sslConfiguration().peerCertificate();
}

std::string nameOf(const QSslCertificate& certificate) {
    const QStringList names = certificate.subjectInfo(QSslCertificate::CommonName);
    return names.isEmpty() ? std::string("sans nom") : names.front().toStdString();
}

SyncFailure networkFailure(QNetworkReply::NetworkError error, const QUrl& url) {
    const std::string host = quoted(shownHost(url));
    switch (error) {
        case QNetworkReply::ConnectionRefusedError:
            return {FailureKind::Unreachable,
                    "le serveur " + host + " refuse la connexion : est-il en marche, et l'adresse est-elle juste ?",
                    {}};
        case QNetworkReply::HostNotFoundError:
            return {FailureKind::Unreachable,
                    "le serveur " + host + " est introuvable : vérifiez l'adresse et la connexion au réseau",
                    {}};
        case QNetworkReply::RemoteHostClosedError:
            return {FailureKind::Unreachable, "le serveur " + host + " a coupé la connexion avant de répondre", {}};
        case QNetworkReply::TimeoutError:
            return {FailureKind::Unreachable, "le serveur " + host + " ne répond pas", {}};
        case QNetworkReply::SslHandshakeFailedError:
            return {FailureKind::Certificate, "la connexion chiffrée avec le serveur " + host + " a échoué", {}};
        case QNetworkReply::ProtocolFailure:
        case QNetworkReply::ProtocolUnknownError:
            return {FailureKind::BadResponse, "le serveur " + host + " a envoyé une réponse HTTP invalide", {}};
        default:
            return {FailureKind::Unreachable,
                    "le serveur " + host + " n'a pas pu être joint : le réseau est-il disponible ?",
                    {}};
    }
}

}  // namespace

// One HTTP exchange, no redirect followed: its status, body and Location, or why it failed.
class DavTransport::Exchange {
public:
    struct Result {
        int status = 0;
        QByteArray body;
        QByteArray location;
        MaybeFailure failure;
    };

    Exchange(DavTransport& transport, const QUrl& url) : transport_(transport), url_(url) {}

    Result run(QNetworkReply* reply) {
        reply_ = reply;
        // Every connection below ends with this object, before the caller deletes the reply.
        QObject context;
        QEventLoop loop;
        QTimer whole;
        QTimer connecting;
        QTimer poll;
        whole.setSingleShot(true);
        connecting.setSingleShot(true);
        const DavLimits& limits = transport_.limits_;
        const std::string host = quoted(shownHost(url_));
        QObject::connect(&whole, &QTimer::timeout, &context, [&] {
            stop({FailureKind::Unreachable,
                  "le serveur " + host + " n'a pas fini de répondre en " + seconds(limits.whole),
                  {}});
        });
        QObject::connect(&connecting, &QTimer::timeout, &context, [&] {
            stop({FailureKind::Unreachable,
                  "le serveur " + host + " ne répond pas : pas de connexion en " + seconds(limits.connect),
                  {}});
        });
        QObject::connect(&poll, &QTimer::timeout, &context, [&] {
            if (transport_.cancelled_ && transport_.cancelled_->load())
                stop({FailureKind::Cancelled, "la synchronisation a été interrompue", {}});
        });
        QObject::connect(reply, &QNetworkReply::requestSent, &connecting, &QTimer::stop);
        QObject::connect(reply, &QNetworkReply::metaDataChanged, &context, [&] {
            connecting.stop();
            const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
            if (announced.isValid() && announced.toLongLong() > limits.largestResponse) tooLarge();
        });
        QObject::connect(reply, &QNetworkReply::readyRead, &context, [&] {
            connecting.stop();
            take();
        });
        QObject::connect(reply, &QNetworkReply::sslErrors, &context,
                         [&](const QList<QSslError>& errors) { judge(errors); });
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        whole.start(limits.whole);
        connecting.start(limits.connect);
        if (transport_.cancelled_) poll.start(kCancelPoll);
        if (!reply->isFinished()) loop.exec();
        if (!stopped_) take();
        return result();
    }

private:
    void stop(SyncFailure failure) {
        if (stopped_) return;
        stopped_ = std::move(failure);
        reply_->abort();
    }

    void tooLarge() {
        stop({FailureKind::BadResponse,
              "la réponse du serveur " + quoted(shownHost(url_)) + " dépasse " +
                  std::to_string(transport_.limits_.largestResponse >> 20) + " Mio, bien plus qu'un carnet d'adresses",
              {}});
    }

    void take() {
        body_ += reply_->readAll();
        if (body_.size() > transport_.limits_.largestResponse) tooLarge();
    }

    void judge(const QList<QSslError>& errors) {
        const QSslCertificate certificate = certificateOf(errors, *reply_);
        fingerprint_ = fingerprintOf(certificate.toDer());
        if (!transport_.account_.acceptedFingerprint.empty() &&
            fingerprint_ == transport_.account_.acceptedFingerprint) {
            reply_->ignoreSslErrors(errors);
            return;
        }
        certificateRefusal_ = "le certificat du serveur " + quoted(shownHost(url_)) +
                              " n'est pas reconnu : " + certificateProblem(errors) + " (certificat " +
                              quoted(nameOf(certificate)) + ", empreinte SHA-256 " + fingerprint_ + ")";
    }

    Result result() {
        if (stopped_) return {0, {}, {}, stopped_};
        const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (status.isValid() && status.toInt() > 0)
            return {status.toInt(), body_, reply_->rawHeader("Location"), std::nullopt};
        if (!certificateRefusal_.empty())
            return {0, {}, {}, SyncFailure{FailureKind::Certificate, certificateRefusal_, fingerprint_}};
        return {0, {}, {}, networkFailure(reply_->error(), url_)};
    }

    DavTransport& transport_;
    QUrl url_;
    QNetworkReply* reply_ = nullptr;
    QByteArray body_;
    MaybeFailure stopped_;
    std::string fingerprint_;
    std::string certificateRefusal_;
};

DavTransport::DavTransport(DavAccount account, DavLimits limits, const std::atomic<bool>* cancelled)
    : account_(std::move(account)),
      limits_(limits),
      cancelled_(cancelled),
      network_(std::make_unique<QNetworkAccessManager>()) {
    // Schemes other than Basic (Digest) are answered once per request; a second demand means the
    // password was refused.
    QObject::connect(network_.get(), &QNetworkAccessManager::authenticationRequired, network_.get(),
                     [this](QNetworkReply* reply, QAuthenticator* authenticator) {
                         if (reply->property(kAnsweredProperty).toBool()) return;
                         reply->setProperty(kAnsweredProperty, true);
                         authenticator->setUser(account_.user);
                         authenticator->setPassword(account_.password);
                     });
}

DavTransport::~DavTransport() = default;

DavReply DavTransport::send(const QByteArray& method, const QUrl& url, int depth, const QByteArray& body) {
    QUrl current = url;
    for (int redirects = 0;; ++redirects) {
        QNetworkRequest request(current);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/xml; charset=utf-8"));
        request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Velorine/2.0"));
        request.setRawHeader("Depth", QByteArray::number(depth));
        request.setRawHeader("Authorization",
                             "Basic " + (account_.user + QLatin1Char(':') + account_.password).toUtf8().toBase64());
        std::unique_ptr<QNetworkReply> reply(network_->sendCustomRequest(request, method, body));
        ++requests_;
        Exchange::Result answer = Exchange(*this, current).run(reply.get());
        if (answer.failure) return {0, {}, current, std::move(answer.failure)};
        if (isRedirect(answer.status)) {
            const QUrl next = current.resolved(QUrl::fromEncoded(answer.location));
            if (answer.location.isEmpty()) return {0, {}, current, statusFailure(answer.status, current)};
            if (redirects >= limits_.mostRedirects)
                return {
                    0,
                    {},
                    current,
                    SyncFailure{FailureKind::Refused,
                                "le serveur " + quoted(shownHost(current)) + " renvoie d'adresse en adresse (plus de " +
                                    std::to_string(limits_.mostRedirects) + " renvois)",
                                {}}};
            if (const auto refusal = redirectRefusal(current, next))
                return {0, {}, current, SyncFailure{FailureKind::Refused, *refusal, {}}};
            current = next;
            continue;
        }
        if (answer.status == 401) return {401, {}, current, statusFailure(401, current)};
        return {answer.status, std::move(answer.body), current, std::nullopt};
    }
}

SyncFailure statusFailure(int status, const QUrl& url) {
    const std::string host = quoted(shownHost(url));
    const std::string code = " (" + std::to_string(status) + ")";
    if (status == 401)
        return {
            FailureKind::Authentication, "le serveur " + host + " refuse ce nom d'utilisateur ou ce mot de passe", {}};
    if (status == 403)
        return {
            FailureKind::Refused, "le serveur " + host + " refuse l'accès à " + quoted(shownAddress(url)) + code, {}};
    if (status == 404 || status == 410)
        return {FailureKind::NotFound,
                "rien à l'adresse " + quoted(shownAddress(url)) + code + " : l'adresse est-elle juste ?",
                {}};
    if (status >= 500)
        return {FailureKind::ServerError,
                "le serveur " + host + " a rencontré une erreur" + code + " ; réessayez plus tard",
                {}};
    if (status >= 300 && status < 400)
        return {FailureKind::Refused, "le serveur " + host + " renvoie ailleurs sans dire où" + code, {}};
    return {FailureKind::Refused,
            "le serveur " + host + " n'accepte pas les demandes CardDAV à " + quoted(shownAddress(url)) + code,
            {}};
}

std::string fingerprintOf(const QByteArray& der) {
    const QByteArray digest = QCryptographicHash::hash(der, QCryptographicHash::Sha256);
    return digest.toHex(':').toUpper().toStdString();
}

}  // namespace velorine::carddav
