#pragma once
// What the network tests stand on besides Radicale (radicale_server.h): a certificate made for the
// test by openssl, the misbehaving server of hostile_server.py, and a phone that puts cards on a
// server over HTTP as a phone's contacts app does.

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace velorine::carddav::testing {

struct TestCertificate {
    std::string certificate;  // PEM files
    std::string key;
    std::string fingerprint;  // SHA-256, "AB:CD:…", as openssl prints it
};

// A self-signed certificate for 127.0.0.1, valid two days, in `directory`.
TestCertificate makeCertificate(const std::string& directory);

// hostile_server.py over TLS with `certificate`; killed when the object goes.
class HostileServer {
public:
    explicit HostileServer(const TestCertificate& certificate);
    ~HostileServer();
    HostileServer(const HostileServer&) = delete;
    HostileServer& operator=(const HostileServer&) = delete;
    QUrl url(const QString& path) const;

private:
    velorine::testing::TempDir dir_;
    int port_ = 0;
    int pid_ = -1;
};

// Requests as a phone makes them; each returns the HTTP status (0 when no answer). Certificates are
// not checked: the phone is the test's.
class Phone {
public:
    Phone(QUrl server, QString user, QString password);
    // A new address book.
    int createBook(const QString& path, const QString& name);
    int put(const QString& path, const std::string& vcard);
    int remove(const QString& path);
    // A whole address book in one request (Radicale takes a collection's cards at once: much faster
    // than one by one for hundreds of cards).
    int putBook(const QString& path, const std::vector<std::string>& vcards);

private:
    int send(const QByteArray& method, const QString& path, const QByteArray& body, const QByteArray& type);
    QUrl server_;
    QString user_;
    QString password_;
};

// A vCard 3.0 with these fields; no BDAY line when `birthday` is empty.
std::string vcardOf(const std::string& uid, const std::string& family, const std::string& given,
                    const std::string& birthday);

}  // namespace velorine::carddav::testing
