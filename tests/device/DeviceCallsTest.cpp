#include <string>

#include "AnsiCodePage.h"
#include "DeviceCalls.h"
#include "DravinProtocol.h"
#include "RecorderFixture.h"
#include "TextEscape.h"

namespace {

// The wrappers against the virtual recorder, logged in, with Windows-1252 as
// the code page unless a case says otherwise.
class DeviceCalls : public RecorderFixture {
protected:
    void SetUp() override {
        RecorderFixture::SetUp();
        AnsiCodePage::SetCodeSet("WINDOWS-1252");
        AttachAndLogin();
    }
    void TearDown() override {
        AnsiCodePage::SetCodeSet("");
        RecorderFixture::TearDown();
    }
};

TEST_F(DeviceCalls, PasswordsOfAnyLengthGoOutWithSix) {
    const struct {
        std::u16string password;
        bool accepted;
    } logins[] = {
        {u"000000", true}, {u"", false}, {u"0", false}, {u"00000", false},
        {u"0000000", false}, {std::u16string(300, u'0'), false}, {u"\u00c4\u00d6\u00dc", false},
    };
    for (const auto& c : logins) {
        SCOPED_TRACE(c.password.size());
        ASSERT_TRUE(Open_Device());
        EXPECT_EQ(DeviceLogin(c.password), c.accepted);
        EXPECT_EQ(LastJournalEntry(),
                  std::string("Login(******, 6) -> ") + (c.accepted ? "true" : "false"));
    }

    const struct {
        std::u16string password;
        bool accepted;
    } changes[] = {{u"654321", true}, {u"1", true}, {u"1234567", false}, {u"", false}};
    ASSERT_TRUE(Open_Device());
    ASSERT_TRUE(DeviceLogin(u"000000"));
    for (const auto& c : changes) {
        SCOPED_TRACE(c.password.size());
        EXPECT_EQ(DeviceAlertPasswd(c.password), c.accepted);
        EXPECT_EQ(LastJournalEntry(),
                  std::string("alert_passwd(******, 6) -> ") + (c.accepted ? "true" : "false"));
    }
}

// The cases run in order on the same two strings, so a part that one ID text
// does not fill shows whether the previous value leaked through.
TEST_F(DeviceCalls, IdTextsSplitAsThePatternReadsThem) {
    const struct {
        std::string stored;
        std::u16string device;
        std::u16string officer;
    } cases[] = {
        {"ABCDE-123456", u"ABCDE", u"123456"},
        {"ABCDE-1234567", u"ABCDE", u"123456"},
        {"ABC-123456", u"ABC-1", u""},
        {"  ABCDE-\t123", u"ABCDE", u"123"},
        {"ABCDE 123456", u"ABCDE", u""},
        {"ABCDEFG-123456", u"ABCDE", u""},
        {"ABCDE-", u"ABCDE", u""},
        {"-123456", u"-1234", u""},
        {"", u"", u""},
        {"   ", u"", u""},
        {"AB\xc4" "DE-12345\xe9", u"AB\u00c4DE", u"12345\u00e9"},
        {std::string(60, 'A'), u"AAAAA", u""},
        {"ABCDE-" + std::string(44, '1'), u"ABCDE", u"111111"},
        {std::string(44, ' ') + "ABCDE-", u"ABCDE", u""},
        {std::string(45, ' ') + "ABCDE-123", u"ABCDE", u""},
    };
    std::u16string device = u"stale";
    std::u16string officer = u"stale";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Control({"set", "id_text", c.stored});
        EXPECT_TRUE(DeviceGetId(device, officer));
        EXPECT_EQ(device, c.device);
        EXPECT_EQ(officer, c.officer);
    }
}

TEST_F(DeviceCalls, AFailedIdReadGivesEmptyNumbers) {
    Control({"fail", "get_id", "once"});
    std::u16string device = u"stale";
    std::u16string officer = u"stale";
    EXPECT_FALSE(DeviceGetId(device, officer));
    EXPECT_EQ(device, u"");
    EXPECT_EQ(officer, u"");
}

TEST_F(DeviceCalls, SetIdJoinsAndCountsCharacters) {
    const struct {
        const char* codeSet;
        std::u16string device;
        std::u16string officer;
        std::string sent;
        int length;
    } cases[] = {
        {"WINDOWS-1252", u"ABCDE", u"123456", "ABCDE-123456", 12},
        {"UTF-8", u"\u00c4BCDE", u"123456", "\xc3\x84" "BCDE-123456", 12},
        {"WINDOWS-1252", u"\u20acBCDE", u"12345\u03a9", "\x80" "BCDE-12345?", 12},
        {"WINDOWS-1252", u"AB", u"1", "AB-1", 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sent);
        AnsiCodePage::SetCodeSet(c.codeSet);
        EXPECT_TRUE(DeviceSetId(c.device, c.officer));
        EXPECT_EQ(LastJournalEntry(), "set_id(\"" + textescape::Escape(c.sent) + "\", " +
                                          std::to_string(c.length) + ") -> true");
        EXPECT_EQ(State().idText, c.sent);
    }
}

TEST_F(DeviceCalls, WrittenNumbersReadBack) {
    ASSERT_TRUE(DeviceSetId(u"\u00c4BCDE", u"12345\u00e9"));
    std::u16string device;
    std::u16string officer;
    ASSERT_TRUE(DeviceGetId(device, officer));
    EXPECT_EQ(device, u"\u00c4BCDE");
    EXPECT_EQ(officer, u"12345\u00e9");
}

TEST_F(DeviceCalls, FirmwareTextIsReadWithinItsFiftyBytes) {
    const struct {
        const char* codeSet;
        std::string stored;
        std::u16string version;
    } cases[] = {
        {"WINDOWS-1252", "VR-1.0.1", u"VR-1.0.1"},
        {"WINDOWS-1252", "", u""},
        {"WINDOWS-1252", "V\xe9rsion", u"V\u00e9rsion"},
        {"WINDOWS-1252", std::string(49, '9'), std::u16string(49, u'9')},
        {"WINDOWS-1252", std::string(50, '9'), std::u16string(50, u'9')},
        {"WINDOWS-1252", std::string(80, '9'), std::u16string(50, u'9')},
        {"UTF-8", "\xff\xfe", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.size());
        AnsiCodePage::SetCodeSet(c.codeSet);
        Control({"set", "firmware_version", c.stored});
        std::u16string version = u"before";
        EXPECT_TRUE(DeviceGetFirmwareVersion(version));
        EXPECT_EQ(version, c.version);
    }
}

TEST_F(DeviceCalls, AFailedFirmwareReadLeavesTheVersion) {
    Control({"fail", "get_firmware_version", "once"});
    std::u16string version = u"before";
    EXPECT_FALSE(DeviceGetFirmwareVersion(version));
    EXPECT_EQ(version, u"before");
}

TEST_F(DeviceCalls, DeviceTextsConvertInTheCodePage) {
    EXPECT_EQ(FromDeviceText(std::string_view("abc\0def", 7)), u"abc");
    EXPECT_EQ(FromDeviceText("\xc4"), u"\u00c4");
    EXPECT_EQ(ToDeviceText(u"\u00c4\u03a9"), "\xc4?");
    AnsiCodePage::SetCodeSet("UTF-8");
    EXPECT_EQ(FromDeviceText("\xc4"), u"");
}

TEST_F(DeviceCalls, TheEventFolderIsTheRecordersOwn) {
    const std::string folder = DeviceEventFolder();
    EXPECT_EQ(folder.rfind(Dir() + "/", 0), 0u) << folder;
}

}  // namespace
