#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "WindowChainFixture.h"

namespace fs = std::filesystem;

namespace {

constexpr int kOld = 1001;
constexpr int kNew = 1002;
constexpr int kConfirm = 1003;
constexpr int kModify = 2014;
constexpr int kPasswordChanged = 107;

const std::string kFirstPassword = "Pw7Kq2";
const std::string kSecondPassword = "Zx4Mn8";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The recorder's memory keeps its password on one line, the only place allowed.
std::string WithoutPasswordLine(const fs::path& path, std::string text) {
    if (path.filename() != "state") return text;
    const size_t start = text.find("password=");
    if (start == std::string::npos) return text;
    return text.erase(start, text.find('\n', start) - start);
}

using PasswordSecrecy = WindowChainFixture;

TEST_F(PasswordSecrecy, NoPasswordReachesAFileTheJournalOrStandardOutput) {
    Recorder({"set", "password", kFirstPassword});
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(LogIn(kFirstPassword));
    TypeInto(Normal(), kOld, QString::fromStdString(kFirstPassword));
    TypeInto(Normal(), kNew, QString::fromStdString(kSecondPassword));
    TypeInto(Normal(), kConfirm, QString::fromStdString(kSecondPassword));
    EXPECT_EQ(Press(Normal(), kModify), std::vector<std::u16string>{Text(kPasswordChanged)});
    Click(Normal(), 2022);
    EXPECT_TRUE(LogIn(kSecondPassword));
    const std::string printed = ::testing::internal::GetCapturedStdout() + ::testing::internal::GetCapturedStderr();

    std::vector<std::pair<std::string, std::string>> outputs = {{"stdout+stderr", printed},
                                                                {"status", Recorder({"status"})},
                                                                {"journal", Recorder({"journal"})}};
    for (const auto& entry : fs::recursive_directory_iterator(WorkDir()))
        if (entry.is_regular_file()) outputs.emplace_back(entry.path(), WithoutPasswordLine(entry.path(), ReadAll(entry.path())));
    // The journal did see the calls, masked.
    EXPECT_NE(outputs[2].second.find("alert_passwd(******, 6) -> true"), std::string::npos) << outputs[2].second;
    EXPECT_GT(outputs.size(), 5u);
    for (const auto& [where, text] : outputs) {
        for (const std::string& password : {kFirstPassword, kSecondPassword})
            EXPECT_EQ(text.find(password), std::string::npos) << password << " in " << where;
    }
    // The one allowed place does hold the new password.
    EXPECT_NE(ReadAll(WorkDir() / ".recorder" / "state").find("password=" + kSecondPassword), std::string::npos);
}

}  // namespace
