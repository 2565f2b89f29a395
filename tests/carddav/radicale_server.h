#pragma once
// A real Radicale (Debian's `radicale`) for one test program: on 127.0.0.1 at a free port, with its
// own storage (in /dev/shm when there is one: Radicale syncs every card to disk, which tmpfs makes
// cheap) and a user file of plain passwords, optionally over TLS with a certificate the test made
// (test_certificate.h). Stopped, and its storage removed, when the object goes.

#include <QUrl>

#include <string>

#include "support/temp_dir.h"

namespace velorine::carddav::testing {

inline const QString kUser = QStringLiteral("alice");
inline const QString kPassword = QStringLiteral("p4ss w0rd é");

class RadicaleServer {
public:
    struct Tls {
        std::string certificate;  // PEM files
        std::string key;
    };
    // Starts the server and waits until it answers (fails the test program when it cannot).
    explicit RadicaleServer(const Tls* tls = nullptr);
    ~RadicaleServer();
    RadicaleServer(const RadicaleServer&) = delete;
    RadicaleServer& operator=(const RadicaleServer&) = delete;

    // "http://127.0.0.1:PORT" + path (https with TLS).
    QUrl url(const QString& path = QStringLiteral("/")) const;
    int port() const { return port_; }
    void stop();
    // Holds the server still (SIGSTOP): connections are taken by the system, nothing is answered.
    void pause();
    void resume();

private:
    velorine::testing::TempDir dir_;
    std::string storage_;
    int port_ = 0;
    int pid_ = -1;
    bool tls_ = false;
};

// A port on 127.0.0.1 that nothing listens on now.
int freePort();

}  // namespace velorine::carddav::testing
