#pragma once

#include <string>

// The recorder's call journal: one line per call with its arguments and result,
// appended by whichever process made the call. Passwords never reach it (the
// caller masks them). When it grows past kMaxBytes the old part moves to
// "<path>.old", so it cannot fill the disk.
class Journal {
public:
    static constexpr size_t kMaxBytes = 4 << 20;

    explicit Journal(std::string path);

    // Adds "<local time> [pid] <entry>". Losing an entry never fails the call.
    void Append(const std::string& entry) const;
    std::string ReadAll() const;
    void Clear() const;

private:
    std::string m_path;
};
