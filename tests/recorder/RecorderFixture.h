#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecorderState.h"

// Each test gets its own empty recorder: VELMORA_RECORDER_DIR points at a fresh
// temporary folder, removed afterwards.
class RecorderFixture : public ::testing::Test {
protected:
    struct ToolResult {
        int status = -1;
        std::string out;
        std::string err;
    };

    void SetUp() override;
    void TearDown() override;

    const std::string& Dir() const { return m_dir; }

    // Runs the velmora-recorder executable in a child process.
    ToolResult Tool(const std::vector<std::string>& args) const;
    // Runs a control command in this process; the test fails unless it succeeds.
    void Control(const std::vector<std::string>& args) const;

    RecorderState State() const;
    // The journal's entries without their time and process prefix.
    std::vector<std::string> JournalEntries() const;
    std::string LastJournalEntry() const;

    // Attaches the recorder, opens it and logs in with its default password.
    void AttachAndLogin() const;

    static std::string ReadFile(const std::string& path);

private:
    std::string m_dir;
    std::string m_scratch;
};
