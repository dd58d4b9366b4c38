#include "SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <cstdlib>

namespace {

constexpr char kRaiseRequest[] = "raise\n";
constexpr int kConnectTimeoutMs = 1000;

// A folder only this user can enter: the runtime folder, or one of our own under /tmp.
bool IsPrivateFolder(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}

}  // namespace

SingleInstance::SingleInstance(std::string name) : m_name(std::move(name)) {}

SingleInstance::~SingleInstance() {
    m_server.reset();
    if (m_lockFd >= 0) ::close(m_lockFd);
}

std::string SingleInstance::Folder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && IsPrivateFolder(runtime)) return runtime;
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder =
        std::string(tmp && *tmp ? tmp : "/tmp") + "/velmora-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    return IsPrivateFolder(folder) ? folder : std::string();
}

std::string SingleInstance::LockPath() const { return Folder() + "/" + m_name + ".lock"; }

std::string SingleInstance::SocketPath() const { return Folder() + "/" + m_name + ".socket"; }

bool SingleInstance::TryLock() {
    if (m_lockFd >= 0) return true;
    if (Folder().empty()) return false;
    const int fd = ::open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_lockFd = fd;
    return true;
}

bool SingleInstance::AskRunningCopyToRaise() const {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(SocketPath()));
    if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
    socket.write(kRaiseRequest);
    const bool sent = socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return sent;
}

void SingleInstance::ListenForRaise(std::function<void()> onRaise) {
    if (m_lockFd < 0) return;
    const QString path = QString::fromStdString(SocketPath());
    // We hold the lock, so a socket file left there belongs to a dead copy.
    QLocalServer::removeServer(path);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path)) return;
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(),
                     [server = m_server.get(), onRaise] {
                         while (QLocalSocket* client = server->nextPendingConnection()) {
                             QObject::connect(client, &QLocalSocket::readyRead, client, [client, onRaise] {
                                 if (client->readAll().startsWith("raise")) onRaise();
                                 client->disconnectFromServer();
                             });
                             QObject::connect(client, &QLocalSocket::disconnected, client,
                                              &QObject::deleteLater);
                         }
                     });
}
