#include <dirent.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "ControlArgs.h"
#include "DravinProtocol.h"
#include "RecorderFixture.h"
#include "RecorderFunctions.h"
#include "StateCodec.h"

namespace {

using Kind = ControlCommand::Kind;

TEST(ControlArgs, CommandsParse) {
    const struct {
        std::vector<std::string> args;
        Kind kind;
        std::string subject;
        int64_t number;
    } cases[] = {
        {{"attach"}, Kind::Attach, "", 0},
        {{"detach"}, Kind::Detach, "", 0},
        {{"status"}, Kind::Status, "", 0},
        {{"journal"}, Kind::Journal, "", 0},
        {{"reset"}, Kind::Reset, "", 0},
        {{"help"}, Kind::Help, "", 0},
        {{"--help"}, Kind::Help, "", 0},
        {{"set", "id_text", "ABC"}, Kind::Set, "id_text", 0},
        {{"set", "id_text", ""}, Kind::Set, "id_text", 0},
        {{"fail", "Login"}, Kind::Fail, "Login", 1},
        {{"fail", "Login", "once"}, Kind::Fail, "Login", 1},
        {{"fail", "get_id", "7"}, Kind::Fail, "get_id", 7},
        {{"fail", "get_id", "always"}, Kind::Fail, "get_id", RecorderState::kFailAlways},
        {{"fail", "get_id", "clear"}, Kind::Fail, "get_id", 0},
        {{"delay", "set_pre_record", "250"}, Kind::Delay, "set_pre_record", 250},
        {{"delay", "set_pre_record", "0"}, Kind::Delay, "set_pre_record", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0]);
        ControlCommand command;
        std::string error;
        ASSERT_TRUE(ControlArgs::Parse(c.args, command, error)) << error;
        EXPECT_EQ(command.kind, c.kind);
        EXPECT_EQ(c.kind == Kind::Set ? command.field : command.function, c.subject);
        EXPECT_EQ(c.kind == Kind::Delay ? command.delayMs : command.failCount, c.number);
    }
}

TEST(ControlArgs, BadCommandsAreNamed) {
    const struct {
        std::vector<std::string> args;
        const char* errorPart;
    } cases[] = {
        {{}, "no command"},
        {{"plug"}, "unknown command 'plug'"},
        {{"attach", "now"}, "attach: wrong number"},
        {{"set", "id_text"}, "set: wrong number"},
        {{"set", "colour", "1"}, "unknown field 'colour'"},
        {{"set", "attached", "1"}, "unknown field 'attached'"},
        {{"fail"}, "fail: wrong number"},
        {{"fail", "login"}, "unknown function 'login'"},
        {{"fail", "Login", "0"}, "not '0'"},
        {{"fail", "Login", "-1"}, "not '-1'"},
        {{"fail", "Login", "twice"}, "not 'twice'"},
        {{"delay", "Login"}, "delay: wrong number"},
        {{"delay", "Login", "-5"}, "not '-5'"},
        {{"delay", "Login", "600001"}, "not '600001'"},
        {{"delay", "Login", "1e3"}, "not '1e3'"},
    };
    for (const auto& c : cases) {
        ControlCommand command;
        std::string error;
        EXPECT_FALSE(ControlArgs::Parse(c.args, command, error)) << c.errorPart;
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
    }
}

TEST(ControlArgs, UsageNamesEveryCommandAndField) {
    const std::string usage = ControlArgs::Usage();
    for (const char* command : {"attach", "detach", "status", "set", "fail", "delay", "journal",
                                "reset"}) {
        EXPECT_NE(usage.find(std::string("  ") + command + " "), std::string::npos) << command;
    }
    for (const std::string& field : StateCodec::SettableFields()) {
        EXPECT_NE(usage.find(" " + field), std::string::npos) << field;
    }
}

using ControlTool = RecorderFixture;

TEST_F(ControlTool, ExitStatusAndMessages) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* outPart;
        const char* errPart;
    } cases[] = {
        {{}, 2, "", "no command"},
        {{"help"}, 0, "Usage: velmora-recorder", ""},
        {{"bogus"}, 2, "", "Usage: velmora-recorder"},
        {{"set", "resolution", "abc"}, 2, "", "not a 32-bit number: abc"},
        {{"set", "clock", "1 2 3"}, 2, "", "six numbers"},
        {{"set", "resolution", "99"}, 0, "", ""},
        {{"status"}, 0, "\nresolution=99\n", ""},
        {{"attach"}, 0, "", ""},
        {{"status"}, 0, "\nattached=1\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0]);
        const ToolResult result = Tool(c.args);
        EXPECT_EQ(result.status, c.status);
        EXPECT_NE(result.out.find(c.outPart), std::string::npos) << result.out;
        EXPECT_NE(result.err.find(c.errPart), std::string::npos) << result.err;
    }
}

TEST_F(ControlTool, AnUnusableStateFolderIsReported) {
    const std::string file = Dir() + "/plain-file";
    std::fclose(std::fopen(file.c_str(), "w"));
    setenv("VELMORA_RECORDER_DIR", file.c_str(), 1);
    const ToolResult result = Tool({"attach"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("cannot use the state folder"), std::string::npos) << result.err;
    EXPECT_FALSE(Check_Device_state());
}

TEST_F(ControlTool, JournalShowsCallsAndResetEmptiesIt) {
    Control({"attach"});
    ASSERT_TRUE(Open_Device());
    EXPECT_FALSE(set_Gps(5));
    const ToolResult journal = Tool({"journal"});
    EXPECT_NE(journal.out.find("Open_Device() -> true\n"), std::string::npos) << journal.out;
    EXPECT_NE(journal.out.find("set_Gps(5) -> false\n"), std::string::npos) << journal.out;

    Control({"set", "resolution", "3"});
    Control({"fail", "get_id", "always"});
    ASSERT_EQ(Tool({"reset"}).status, 0);
    EXPECT_EQ(Tool({"journal"}).out, "");
    RecorderState expected;
    expected.attached = true;
    expected.generation = 1;
    expected.eventSeq = 1;
    EXPECT_EQ(State(), expected);
}

// The password may only ever be in the state file's password line.
TEST_F(ControlTool, NoPasswordOutsideThePasswordField) {
    const std::vector<std::string> passwords = {"s3cr3t", "n3wpw1", "wr0ng1"};
    Control({"set", "password", passwords[0]});
    Control({"attach"});
    ASSERT_TRUE(Open_Device());
    ASSERT_TRUE(Login(passwords[0].c_str(), 6));
    ASSERT_TRUE(alert_passwd(passwords[1].c_str(), 6));
    EXPECT_FALSE(Login(passwords[2].c_str(), 6));
    EXPECT_EQ(LastJournalEntry(), "Login(******, 6) -> false");

    std::string outputs = Tool({"status"}).out + Tool({"journal"}).out;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Dir())) {
        if (!entry.is_regular_file()) continue;
        std::string text = ReadFile(entry.path().string());
        if (entry.path().filename() == "state") {
            const std::string line = "\npassword=" + passwords[1] + "\n";
            ASSERT_NE(text.find(line), std::string::npos);
            text.erase(text.find(line), line.size());
        }
        outputs += text;
    }
    for (const std::string& password : passwords) {
        EXPECT_EQ(outputs.find(password), std::string::npos) << password;
    }
}

TEST(ProtocolLibrary, ExportsExactlyTheProtocolAndTheEventFolder) {
    std::set<std::string> expected = {"VirtualRecorder_EventFolder"};
    for (const auto& info : recorder::kFunctions) expected.emplace(info.name);

    const std::string command =
        std::string(VELMORA_READELF) + " --wide --dyn-syms -d " + VELMORA_PROTOCOL_LIBRARY;
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> exported;
    bool soname = false;
    char line[1024];
    while (std::fgets(line, sizeof line, pipe)) {
        const std::string text = line;
        soname = soname || (text.find("(SONAME)") != std::string::npos &&
                            text.find("[libDravin_protocol.so]") != std::string::npos);
        char ndx[32], name[512];
        if (std::sscanf(line, "%*d: %*s %*s %*s %*s %*s %31s %511s", ndx, name) == 2 &&
            std::string(ndx) != "UND") {
            exported.insert(name);
        }
    }
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_TRUE(soname);
    EXPECT_EQ(exported, expected);
}

}  // namespace
