#include "Journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>

namespace {

std::string Timestamp() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(ms));
    return text;
}

}  // namespace

Journal::Journal(std::string path) : m_path(std::move(path)) {}

void Journal::Append(const std::string& entry) const {
    struct stat info {};
    if (stat(m_path.c_str(), &info) == 0 && static_cast<size_t>(info.st_size) > kMaxBytes) {
        rename(m_path.c_str(), (m_path + ".old").c_str());
    }
    const std::string line =
        Timestamp() + " [" + std::to_string(getpid()) + "] " + entry + "\n";
    const int fd = open(m_path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return;
    // One write per line, so lines of processes writing at once never interleave.
    [[maybe_unused]] const ssize_t written = write(fd, line.data(), line.size());
    close(fd);
}

std::string Journal::ReadAll() const {
    std::ifstream in(m_path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Journal::Clear() const {
    unlink(m_path.c_str());
    unlink((m_path + ".old").c_str());
}
