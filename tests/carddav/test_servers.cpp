#include "test_servers.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslError>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include <sys/wait.h>
#include <sys/prctl.h>
#include <unistd.h>

#include "support/child_process.h"

namespace velorine::carddav::testing {
namespace {

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "%s\n", why.c_str());
    std::abort();
}

const std::map<std::string, std::string> kToolEnvironment = {{"PATH", "/usr/bin:/bin"}, {"HOME", "/tmp"}};

}  // namespace

TestCertificate makeCertificate(const std::string& directory) {
    TestCertificate made{directory + "/cert.pem", directory + "/key.pem", {}};
    const auto created = velorine::testing::runProcess(
        "/usr/bin/openssl",
        {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", made.key,
         "-out", made.certificate, "-days", "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"},
        kToolEnvironment);
    if (created.exitStatus != 0) fail("openssl req : " + created.standardError);
    const auto printed = velorine::testing::runProcess(
        "/usr/bin/openssl", {"x509", "-in", made.certificate, "-noout", "-fingerprint", "-sha256"}, kToolEnvironment);
    const std::size_t equals = printed.standardOutput.find('=');
    if (printed.exitStatus != 0 || equals == std::string::npos) fail("openssl x509 : " + printed.standardError);
    made.fingerprint = printed.standardOutput.substr(equals + 1);
    while (!made.fingerprint.empty() && made.fingerprint.back() == '\n') made.fingerprint.pop_back();
    return made;
}

HostileServer::HostileServer(const TestCertificate& certificate) {
    const std::string portFile = dir_.file("port");
    pid_ = ::fork();
    if (pid_ == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);  // a test that crashes takes its server with it
        ::execl("/usr/bin/python3", "python3", VELORINE_HOSTILE_SERVER, portFile.c_str(),
                certificate.certificate.c_str(), certificate.key.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while ((port_ = std::atoi(velorine::testing::readFile(portFile).c_str())) == 0) {
        if (::waitpid(pid_, nullptr, WNOHANG) == pid_) fail("hostile_server.py n'a pas démarré");
        if (std::chrono::steady_clock::now() > deadline) fail("hostile_server.py ne dit pas son port");
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

HostileServer::~HostileServer() {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
}

QUrl HostileServer::url(const QString& path) const {
    return QUrl(QStringLiteral("https://127.0.0.1:%1%2").arg(port_).arg(path));
}

Phone::Phone(QUrl server, QString user, QString password)
    : server_(std::move(server)), user_(std::move(user)), password_(std::move(password)) {}

int Phone::createBook(const QString& path, const QString& name) {
    const QByteArray body =
        "<?xml version=\"1.0\"?><d:mkcol xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:carddav\"><d:set><d:prop>"
        "<d:resourcetype><d:collection/><c:addressbook/></d:resourcetype><d:displayname>" +
        name.toUtf8() + "</d:displayname></d:prop></d:set></d:mkcol>";
    return send("MKCOL", path, body, "application/xml");
}

int Phone::put(const QString& path, const std::string& vcard) {
    return send("PUT", path, QByteArray::fromStdString(vcard), "text/vcard");
}

int Phone::remove(const QString& path) { return send("DELETE", path, {}, {}); }

int Phone::putBook(const QString& path, const std::vector<std::string>& vcards) {
    QByteArray body;
    for (const std::string& card : vcards) body += QByteArray::fromStdString(card);
    return send("PUT", path, body, "text/vcard");
}

int Phone::send(const QByteArray& method, const QString& path, const QByteArray& body, const QByteArray& type) {
    QNetworkAccessManager network;
    QUrl url = server_;
    url.setPath(path);
    QNetworkRequest request(url);
    request.setRawHeader("Authorization", "Basic " + (user_ + QLatin1Char(':') + password_).toUtf8().toBase64());
    if (!type.isEmpty()) request.setHeader(QNetworkRequest::ContentTypeHeader, type);
    QNetworkReply* reply = network.sendCustomRequest(request, method, body);
    QObject::connect(reply, &QNetworkReply::sslErrors, reply, [reply] { reply->ignoreSslErrors(); });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) loop.exec();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    delete reply;
    return status;
}

std::string vcardOf(const std::string& uid, const std::string& family, const std::string& given,
                    const std::string& birthday) {
    std::string card = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + uid + "\r\nFN:" + given + " " + family +
                       "\r\nN:" + family + ";" + given + ";;;\r\n";
    if (!birthday.empty()) card += "BDAY:" + birthday + "\r\n";
    return card + "END:VCARD\r\n";
}

}  // namespace velorine::carddav::testing
