#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A temporary working folder holding a copy of the demo folder, with a fresh,
// attached virtual recorder in a state folder of its own; the current directory
// while it lives.
class BenchWorkspace {
public:
    BenchWorkspace();
    ~BenchWorkspace();
    BenchWorkspace(const BenchWorkspace&) = delete;
    BenchWorkspace& operator=(const BenchWorkspace&) = delete;

    const std::filesystem::path& Folder() const { return m_folder; }
    const std::filesystem::path& RecorderFolder() const { return m_recorder; }
    // Runs a control-tool command on the recorder; false on error.
    static bool Recorder(const std::vector<std::string>& args);

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_recorder;
    std::filesystem::path m_oldDir;
};
