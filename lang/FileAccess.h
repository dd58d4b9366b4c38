#pragma once

#include <string>
#include <string_view>

// Whole-file reads and atomic replacement.
class FileAccess {
public:
    // Reads a regular file whole; false for anything else (absent, folder, pipe, no permission).
    static bool ReadAll(const std::string& path, std::string& bytes);
    // The path with symbolic links resolved; empty when it does not exist.
    static std::string ResolvedPath(const std::string& path);
    // True when path is a regular file that is not read-only, in a folder that
    // is not read-only. Write bits count even for a user who may ignore them,
    // so that a read-only file stays untouched whoever runs the program.
    static bool MayReplace(const std::string& path);
    // Writes bytes to a new file beside path, flushes it to disk and renames it
    // over path, keeping path's permissions. Readers see the old or the new
    // content, never a mix; on failure path is untouched and nothing is left behind.
    static bool ReplaceAtomically(const std::string& path, std::string_view bytes);

private:
    static std::string FolderOf(const std::string& path);
    static bool WriteAll(int fd, std::string_view bytes);
    static bool WriteTempFile(int fd, std::string_view bytes, const std::string& original);
    static void SyncFolder(const std::string& folder);
};
