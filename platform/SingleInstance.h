#pragma once

#include <functional>
#include <memory>
#include <string>

class QLocalServer;

// One running copy per user and executable name: a lock file held with flock,
// so that it dies with its process, and a user-only local socket over which a
// second copy asks the first to come forward.
class SingleInstance {
public:
    explicit SingleInstance(std::string name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the lock.
    bool TryLock();
    // Sends the running copy the request to raise its window; false if none answers.
    bool AskRunningCopyToRaise() const;
    // Serves raise requests for as long as this object lives (only while locked).
    void ListenForRaise(std::function<void()> onRaise);

    // The user's private folder for the lock and the socket; empty when none can be had.
    static std::string Folder();

private:
    std::string LockPath() const;
    std::string SocketPath() const;

    std::string m_name;
    int m_lockFd = -1;
    std::unique_ptr<QLocalServer> m_server;
};
