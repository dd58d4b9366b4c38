#include <gtest/gtest.h>

#include <string>

#include "StateCodec.h"
#include "TextEscape.h"

namespace {

RecorderState Changed() {
    RecorderState state;
    state.attached = true;
    state.generation = 7;
    state.eventSeq = 13;
    state.password = "ab=c\\d";
    state.idText = std::string("A\nB\"C\x01\xff", 7);
    state.firmwareVersion = "";
    state.clockOffset = -3600;
    state.clockRaw = RecorderState::Clock{99999, 13, 0, -1, 61, 61};
    state.params[param::Resolution] = 4294967295u;
    state.params[param::Gps] = 1;
    state.supported[param::PreRecording] = false;
    state.timezone = 25;
    state.faults["get_id"] = RecorderState::kFailAlways;
    state.faults["Login"] = 3;
    state.delays["get_Gps"] = 250;
    return state;
}

TEST(StateCodec, EveryFieldSurvivesWriteAndRead) {
    const RecorderState state = Changed();
    EXPECT_EQ(StateCodec::Parse(StateCodec::Serialise(state)), state);
    EXPECT_EQ(StateCodec::Parse(StateCodec::Serialise(RecorderState())), RecorderState());
}

TEST(StateCodec, EscapedTextsStayOnOneLine) {
    const std::string text = StateCodec::Serialise(Changed());
    EXPECT_NE(text.find("id_text=A\\x0aB\\\"C\\x01\\xff\n"), std::string::npos) << text;
    EXPECT_EQ(textescape::Unescape("bad \\x4 and \\q and trailing \\"),
              "bad \\x4 and \\q and trailing \\");
}

// A damaged file is read as far as it makes sense; the rest keeps its defaults.
TEST(StateCodec, MalformedFilesKeepWhatParses) {
    const struct {
        const char* name;
        std::string text;
        std::string expectIdText;
        uint32_t expectResolution;
    } cases[] = {
        {"empty", "", RecorderState::kDefaultIdText, 0},
        {"garbage", std::string("\x00\xff\x01===\n\n=\n", 10), RecorderState::kDefaultIdText, 0},
        {"bad number", "resolution=abc\nid_text=X\n", "X", 0},
        {"number with tail", "resolution=3x\n", RecorderState::kDefaultIdText, 0},
        {"too big", "resolution=99999999999\n", RecorderState::kDefaultIdText, 0},
        {"unknown keys", "colour=blue\nresolution=3\n", RecorderState::kDefaultIdText, 3},
        {"no final newline", "resolution=2", RecorderState::kDefaultIdText, 2},
        {"cut mid-line", "resolution=2\nid_text=AB", "AB", 2},
        {"crlf", "id_text=X\r\n", "X\r", 0},
        {"later line wins", "resolution=1\nresolution=2\n", RecorderState::kDefaultIdText, 2},
    };
    for (const auto& c : cases) {
        const RecorderState state = StateCodec::Parse(c.text);
        EXPECT_EQ(state.idText, c.expectIdText) << c.name;
        EXPECT_EQ(state.params[param::Resolution], c.expectResolution) << c.name;
    }
}

TEST(StateCodec, BadControlLinesAreIgnored) {
    const RecorderState state = StateCodec::Parse(
        "fail.no_such=1\nfail.Login=0\nfail.get_id=-5\ndelay.Login=0\ndelay.get_id=x\n"
        "fail.Open_Device=2\ndelay.get_Gps=10\n");
    EXPECT_EQ(state.faults, (std::map<std::string, int64_t>{{"Open_Device", 2}}));
    EXPECT_EQ(state.delays, (std::map<std::string, uint32_t>{{"get_Gps", 10}}));
}

TEST(StateCodec, ToolSettingsAreCheckedAndExplained) {
    const struct {
        const char* field;
        const char* value;
        bool accepted;
        const char* errorPart;
    } cases[] = {
        {"resolution", "-1", true, ""},
        {"timezone", "4294967295", true, ""},
        {"timezone", "4294967296", false, "32-bit"},
        {"resolution", "", false, "32-bit"},
        {"loop_record_supported", "0", true, ""},
        {"loop_record_supported", "yes", false, "0 or 1"},
        {"clock", "99999 13 0 -1 61 61", true, ""},
        {"clock", "2024 1 1 0 0", false, "six numbers"},
        {"clock", "2024 1 1 0 0 0 0", false, "six numbers"},
        {"clock", "none", true, ""},
        {"clock_offset", "-86400", true, ""},
        {"attached", "1", false, "attach"},
        {"generation", "3", false, "attach"},
        {"photo_resolution", "1", false, "unknown field"},
        {"id_text", "", true, ""},
    };
    for (const auto& c : cases) {
        RecorderState state;
        std::string error;
        EXPECT_EQ(StateCodec::SetField(state, c.field, c.value, false, &error), c.accepted)
            << c.field << " " << c.value;
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << c.field << ": " << error;
        if (!c.accepted) {
            EXPECT_EQ(state, RecorderState()) << c.field;
        }
    }
}

TEST(StateCodec, DescriptionMasksThePassword) {
    RecorderState state;
    state.password = "secret";
    for (const auto& [name, value] : StateCodec::Describe(state)) {
        EXPECT_EQ(value.find("secret"), std::string::npos) << name;
    }
}

}  // namespace
