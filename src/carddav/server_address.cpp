#include "carddav/server_address.h"

#include <QHostAddress>

namespace velorine::carddav {
namespace {

std::string quoted(const std::string& text) { return "« " + text + " »"; }

bool isThisComputer(const QString& host) {
    if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0) return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

}  // namespace

CheckedAddress checkServerAddress(const std::string& typed) {
    QString text = QString::fromStdString(typed).trimmed();
    if (text.isEmpty()) return {{}, "l'adresse du serveur est vide"};
    if (!text.contains(QStringLiteral("://"))) text.prepend(QStringLiteral("https://"));
    QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return {{}, "l'adresse " + quoted(typed) + " n'est pas une adresse de serveur valable"};
    const QString scheme = url.scheme().toLower();
    if (scheme != QStringLiteral("https") && scheme != QStringLiteral("http"))
        return {{}, "l'adresse " + quoted(typed) + " ne commence ni par https:// ni par http://"};
    if (!url.userInfo().isEmpty())
        return {{}, "le nom d'utilisateur et le mot de passe se donnent dans leurs cases, pas dans l'adresse"};
    if (scheme == QStringLiteral("http") && !isThisComputer(url.host()))
        return {{},
                "une adresse http:// n'est acceptée que pour cet ordinateur (localhost) : le mot de passe "
                "passerait en clair sur le réseau ; utilisez https://"};
    url.setScheme(scheme);
    url.setFragment({});
    if (url.path().isEmpty()) url.setPath(QStringLiteral("/"));
    return {url, {}};
}

std::optional<std::string> redirectRefusal(const QUrl& from, const QUrl& to) {
    if (!to.isValid() || to.host().isEmpty())
        return "le serveur " + quoted(shownHost(from)) + " renvoie vers une adresse invalide";
    if (to.host().compare(from.host(), Qt::CaseInsensitive) != 0)
        return "le serveur " + quoted(shownHost(from)) + " renvoie vers un autre serveur, " + quoted(shownHost(to)) +
               " : ce renvoi n'est pas suivi";
    const QString scheme = to.scheme().toLower();
    if (scheme == QStringLiteral("https")) return std::nullopt;
    if (scheme == QStringLiteral("http") && from.scheme().toLower() == QStringLiteral("http")) return std::nullopt;
    return "le serveur " + quoted(shownHost(from)) + " renvoie vers une adresse non chiffrée (" + shownAddress(to) +
           ") : ce renvoi n'est pas suivi";
}

std::optional<QUrl> sameServerAddress(const QUrl& base, const QString& href) {
    const QUrl address = base.resolved(QUrl(href));
    if (!address.isValid() || address.scheme() != base.scheme() ||
        address.host().compare(base.host(), Qt::CaseInsensitive) != 0 || address.port() != base.port())
        return std::nullopt;
    return address.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment);
}

QString hrefOf(const QUrl& address) { return address.path(QUrl::FullyEncoded); }

std::string shownAddress(const QUrl& url) {
    return url.toDisplayString(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment).toStdString();
}

std::string shownHost(const QUrl& url) { return url.host().toStdString(); }

}  // namespace velorine::carddav
