#include "FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace {

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }
    bool Close()
    {
        int fd = m_fd;
        m_fd = -1;
        return close(fd) == 0;
    }

private:
    int m_fd;
};

}  // namespace

bool FileAccess::ReadAll(const std::string& path, std::string& bytes)
{
    // Non-blocking, so that a pipe of that name cannot stall the reader.
    FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (file.Get() < 0 || fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    bytes.clear();
    bytes.reserve(static_cast<size_t>(info.st_size));
    std::vector<char> chunk(64 * 1024);
    for (;;) {
        ssize_t got = read(file.Get(), chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.append(chunk.data(), static_cast<size_t>(got));
    }
}

std::string FileAccess::ResolvedPath(const std::string& path)
{
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return {};
    std::string result(resolved);
    std::free(resolved);
    return result;
}

std::string FileAccess::FolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool FileAccess::MayReplace(const std::string& path)
{
    struct stat file {};
    struct stat folder {};
    const std::string folderPath = FolderOf(path);
    return stat(path.c_str(), &file) == 0 && S_ISREG(file.st_mode) &&
           (file.st_mode & kAnyWriteBit) != 0 && access(path.c_str(), W_OK) == 0 &&
           stat(folderPath.c_str(), &folder) == 0 && (folder.st_mode & kAnyWriteBit) != 0 &&
           access(folderPath.c_str(), W_OK | X_OK) == 0;
}

bool FileAccess::WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

bool FileAccess::WriteTempFile(int fd, std::string_view bytes, const std::string& original)
{
    struct stat info {};
    if (stat(original.c_str(), &info) != 0)
        return false;
    // The owner is kept where we may set it; the permissions always.
    if (fchown(fd, info.st_uid, info.st_gid) != 0) {
        // Not permitted for an ordinary user; the file then belongs to us.
    }
    return fchmod(fd, info.st_mode & 07777) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
}

void FileAccess::SyncFolder(const std::string& folder)
{
    FileDescriptor dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0)
        fsync(dir.Get());
}

bool FileAccess::ReplaceAtomically(const std::string& path, std::string_view bytes)
{
    std::string tempPath = path + ".XXXXXX";
    FileDescriptor temp(mkostemp(tempPath.data(), O_CLOEXEC));
    if (temp.Get() < 0)
        return false;
    bool written = WriteTempFile(temp.Get(), bytes, path);
    bool closed = temp.Close();
    if (!written || !closed || rename(tempPath.c_str(), path.c_str()) != 0) {
        unlink(tempPath.c_str());
        return false;
    }
    SyncFolder(FolderOf(path));
    return true;
}
