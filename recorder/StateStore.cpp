#include "StateStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "StateCodec.h"

namespace {

constexpr const char* kEventPrefix = "event-";

bool MakeDirs(const std::string& path) {
    for (size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos != path.size() && path[pos] != '/') continue;
        const std::string part = path.substr(0, pos);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool ReadAll(int fd, std::string& data, size_t limit) {
    char buffer[8192];
    while (data.size() < limit) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        data.append(buffer, static_cast<size_t>(n));
    }
    return true;
}

void SyncDir(const std::string& dir) {
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Writes a whole file next to its final name, then renames it into place.
bool ReplaceFile(const std::string& tmp, const std::string& path, const std::string& data) {
    const int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const bool written = WriteAll(fd, data) && fsync(fd) == 0;
    close(fd);
    return written && rename(tmp.c_str(), path.c_str()) == 0;
}

std::vector<std::string> EntriesOf(const std::string& dir) {
    std::vector<std::string> names;
    DIR* d = opendir(dir.c_str());
    if (!d) return names;
    while (const dirent* entry = readdir(d)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(d);
    return names;
}

}  // namespace

class StateStore::Lock {
public:
    explicit Lock(const std::string& dir)
        : m_fd(open((dir + "/lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        while (m_fd >= 0 && flock(m_fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                close(m_fd);
                m_fd = -1;
            }
        }
    }
    ~Lock() {
        if (m_fd >= 0) close(m_fd);
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd;
};

std::string StateStore::ResolveDir() {
    if (const char* dir = std::getenv("VELMORA_RECORDER_DIR"); dir && *dir) return dir;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state) {
        return std::string(state) + "/velmora-recorder";
    }
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/state/velmora-recorder";
}

StateStore::StateStore(std::string dir) : m_dir(std::move(dir)) {}

std::string StateStore::StatePath() const { return m_dir + "/state"; }
std::string StateStore::JournalPath() const { return m_dir + "/journal"; }
std::string StateStore::EventFolder() const { return m_dir + "/events"; }

bool StateStore::Prepare() const { return MakeDirs(m_dir) && MakeDirs(EventFolder()); }

bool StateStore::Read(RecorderState& state) const {
    if (!Prepare()) return false;
    Lock lock(m_dir);
    return lock.Held() && ReadLocked(state);
}

bool StateStore::Update(const std::function<void(RecorderState&)>& change) const {
    if (!Prepare()) return false;
    Lock lock(m_dir);
    RecorderState before;
    if (!lock.Held() || !ReadLocked(before)) return false;
    RecorderState after = before;
    change(after);
    if (after == before) return true;
    if (!WriteLocked(after)) return false;
    if (after.eventSeq != before.eventSeq) PostEvent(after);
    return true;
}

void StateStore::SetAttached(RecorderState& state, bool attached) {
    if (state.attached == attached) return;
    state.attached = attached;
    if (attached) ++state.generation;
    ++state.eventSeq;
}

bool StateStore::ReadLocked(RecorderState& state) const {
    const int fd = open(StatePath().c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        state = RecorderState();
        return errno == ENOENT;
    }
    std::string text;
    const bool ok = ReadAll(fd, text, StateCodec::kMaxFileBytes);
    close(fd);
    state = StateCodec::Parse(text);
    return ok;
}

bool StateStore::WriteLocked(const RecorderState& state) const {
    if (!ReplaceFile(StatePath() + ".tmp", StatePath(), StateCodec::Serialise(state))) {
        return false;
    }
    SyncDir(m_dir);
    return true;
}

// A new entry per change, made by a rename so that a watcher never sees it half
// written; the older entries go, so the folder stays small.
void StateStore::PostEvent(const RecorderState& state) const {
    const std::string name = kEventPrefix + std::to_string(state.eventSeq);
    const std::string what = state.attached ? "attached\n" : "detached\n";
    if (!ReplaceFile(m_dir + "/event.tmp", EventFolder() + "/" + name, what)) return;
    for (const std::string& entry : EntriesOf(EventFolder())) {
        if (entry != name) unlink((EventFolder() + "/" + entry).c_str());
    }
}
