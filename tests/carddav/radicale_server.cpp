#include "radicale_server.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace velorine::carddav::testing {
namespace {

bool accepts(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "Radicale : %s\n", why.c_str());
    std::abort();
}

std::string privateStorage(const std::string& fallback) {
    if (std::filesystem::is_directory("/dev/shm")) {
        char pattern[] = "/dev/shm/velorine-radicale-XXXXXX";
        if (::mkdtemp(pattern)) return pattern;
    }
    return fallback;
}

}  // namespace

int freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

RadicaleServer::RadicaleServer(const Tls* tls) : tls_(tls != nullptr) {
    storage_ = privateStorage(dir_.file("storage"));
    port_ = freePort();
    velorine::testing::writeFile(dir_.file("users"),
                                 kUser.toStdString() + ":" + kPassword.toStdString() + "\nbob:autre\n");
    std::string config = "[server]\nhosts = 127.0.0.1:" + std::to_string(port_) + "\n";
    if (tls) config += "ssl = True\ncertificate = " + tls->certificate + "\nkey = " + tls->key + "\n";
    config += "[auth]\ntype = htpasswd\nhtpasswd_filename = " + dir_.file("users") +
              "\nhtpasswd_encryption = plain\ndelay = 0\n"
              "[rights]\ntype = owner_only\n"
              "[storage]\nfilesystem_folder = " +
              storage_ +
              "\n"
              "[logging]\nlevel = error\n";
    velorine::testing::writeFile(dir_.file("config"), config);
    const std::string configPath = dir_.file("config");
    const std::string log = dir_.file("log");
    pid_ = ::fork();
    if (pid_ == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);  // a test that crashes takes its server with it
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(out, STDERR_FILENO);
        ::execlp("radicale", "radicale", "--config", configPath.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!accepts(port_)) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            fail("le serveur n'a pas démarré : " + velorine::testing::readFile(log));
        }
        if (std::chrono::steady_clock::now() > deadline) fail("le serveur ne répond pas après 30 s");
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

RadicaleServer::~RadicaleServer() {
    stop();
    if (storage_.starts_with("/dev/shm/")) std::filesystem::remove_all(storage_);
}

void RadicaleServer::stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

void RadicaleServer::pause() { ::kill(pid_, SIGSTOP); }

void RadicaleServer::resume() { ::kill(pid_, SIGCONT); }

QUrl RadicaleServer::url(const QString& path) const {
    QUrl url;
    url.setScheme(tls_ ? QStringLiteral("https") : QStringLiteral("http"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(port_);
    url.setPath(path);
    return url;
}

}  // namespace velorine::carddav::testing
