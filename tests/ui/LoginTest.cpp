#include <QLineEdit>
#include <QTimer>

#include "CMoreSettingDlg.h"
#include "CNormalSettingsDlg.h"
#include "CVelmoraDlg.h"
#include "DesktopServices.h"
#include "MessageBox.h"
#include "UiTestEnv.h"

namespace {

constexpr int kPassword = 1007;
constexpr int kLang = 1019;
constexpr int kStatus = 1056;
constexpr int kConnect = 2004;
constexpr int kLogin = 2005;

// The demo file's English texts 70 to 80.
std::u16string Msg(int n) {
    static const char* const texts[] = {
        "Recorder attached.", "No recorder attached!", "Please connect the recorder first.",
        "Recorder connected.", "Connecting the recorder failed.", "The recorder was removed!",
        "Login succeeded.", "Login failed. Check the password.", "Please log in again.",
        "Please enter the password.", "Caution"};
    return U(texts[n]);
}

class LoginTest : public UiTest {
protected:
    void TearDown() override {
        if (m_login) m_login->DestroyWindow();
        m_login.reset();
        UiTest::TearDown();
    }

    CVelmoraDlg& Start() {
        m_login = std::make_unique<CVelmoraDlg>();
        m_login->Create(nullptr);
        m_login->ShowWindow(SW_SHOW);
        return *m_login;
    }

    std::u16string Status() const { return m_login->GetDlgItemText(kStatus); }
    CNormalSettingsDlg& Normal() const { return *m_login->NormalSettingsDlg(); }

    void ConnectAndLogin(const QString& password) {
        Click(*m_login, kConnect);
        TypeInto(*m_login, kPassword, password);
        Click(*m_login, kLogin);
    }

    void DeviceChange() { m_login->SendMessage(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0); }

    std::unique_ptr<CVelmoraDlg> m_login;
};

TEST_F(LoginTest, StartShowsWhetherARecorderIsAttached) {
    for (const bool attached : {true, false}) {
        Recorder({attached ? "attach" : "detach"});
        CVelmoraDlg& login = Start();
        EXPECT_EQ(Status(), Msg(attached ? 0 : 1));
        EXPECT_EQ(login.m_bDevicePresent, attached);
        login.DestroyWindow();
        m_login.reset();
    }
}

TEST_F(LoginTest, ConnectAndLoginInEveryState) {
    struct Case {
        const char* what;
        bool attached;
        bool connect;
        const char* failFunction;
        const char* password;
        int message;
        bool loggedIn;
    };
    const Case cases[] = {
        {"connect while absent", false, true, nullptr, nullptr, 1, false},
        {"connect", true, true, nullptr, nullptr, 3, false},
        {"connect refused", true, true, "Open_Device", nullptr, 4, false},
        {"login while absent", false, false, nullptr, "000000", 1, false},
        {"login before connect", true, false, nullptr, "000000", 2, false},
        {"login", true, true, nullptr, "000000", 6, true},
        {"wrong password", true, true, nullptr, "123456", 7, false},
    };
    for (const Case& c : cases) {
        Recorder({"reset"});
        Recorder({c.attached ? "attach" : "detach"});
        if (c.failFunction) Recorder({"fail", c.failFunction, "always"});
        CVelmoraDlg& login = Start();
        if (c.connect) Click(login, kConnect);
        if (c.password) {
            TypeInto(login, kPassword, QString::fromUtf8(c.password));
            Click(login, kLogin);
        }
        EXPECT_EQ(Status(), Msg(c.message)) << c.what;
        EXPECT_EQ(login.m_bLoggedIn, c.loggedIn) << c.what;
        EXPECT_EQ(login.IsWindowVisible(), !c.loggedIn) << c.what;
        EXPECT_EQ(Normal().IsWindowVisible(), c.loggedIn) << c.what;
        login.DestroyWindow();
        m_login.reset();
    }
}

TEST_F(LoginTest, LoginBeforeConnectCallsNothing) {
    CVelmoraDlg& login = Start();
    Recorder({"reset"});
    TypeInto(login, kPassword, "000000");
    Click(login, kLogin);
    EXPECT_EQ(Status(), Msg(2));
    EXPECT_EQ(Recorder({"journal"}).find("Login"), std::string::npos);
}

TEST_F(LoginTest, EmptyOrBlankPasswordAsksWithMessage9AndKeepsTheStatusLine) {
    for (const QString& password : {QString(), QStringLiteral("   ")}) {
        CVelmoraDlg& login = Start();
        Click(login, kConnect);
        const std::u16string before = Status();
        TypeInto(login, kPassword, password);
        PromptDriver prompts;
        Click(login, kLogin);
        ASSERT_EQ(prompts.Seen().size(), 1u);
        EXPECT_EQ(prompts.Seen()[0].message, Msg(9));
        EXPECT_EQ(prompts.Seen()[0].title, Msg(10));
        EXPECT_FALSE(prompts.Seen()[0].cancelVisible);
        EXPECT_EQ(Status(), before);
        EXPECT_FALSE(login.m_bLoggedIn);
        login.DestroyWindow();
        m_login.reset();
    }
}

TEST_F(LoginTest, PasswordIsTrimmedAndLimitedToSixCharacters) {
    Recorder({"set", "password", "1234"});
    CVelmoraDlg& login = Start();
    ConnectAndLogin(QStringLiteral(" 1234 "));
    EXPECT_TRUE(login.m_bLoggedIn);
    EXPECT_EQ(login.m_strPassword, u"1234");
    EXPECT_EQ(login.GetDlgItemText(kPassword), u" 1234 ");

    TypeInto(login, kPassword, QStringLiteral("12345678"));
    EXPECT_EQ(login.GetDlgItemText(kPassword), u"123456");
}

TEST_F(LoginTest, DeviceChangesFollowTheRecorder) {
    CVelmoraDlg& login = Start();
    // Another device came or went; the recorder stays: nothing changes.
    Click(login, kConnect);
    DeviceChange();
    EXPECT_EQ(Status(), Msg(3));
    EXPECT_TRUE(login.m_bDeviceOpened);

    Recorder({"detach"});
    DeviceChange();
    EXPECT_EQ(Status(), Msg(5));
    EXPECT_FALSE(login.m_bDevicePresent);
    DeviceChange();
    EXPECT_EQ(Status(), Msg(1));

    Recorder({"attach"});
    DeviceChange();
    EXPECT_EQ(Status(), Msg(0));
    EXPECT_TRUE(login.m_bDevicePresent);
    EXPECT_FALSE(login.m_bDeviceOpened);
    // Found again: the recorder must be opened anew.
    TypeInto(login, kPassword, "000000");
    Click(login, kLogin);
    EXPECT_EQ(Status(), Msg(2));
}

TEST_F(LoginTest, PullingTheRecorderHidesTheBasicWindowButNotTheAdvancedOne) {
    CVelmoraDlg& login = Start();
    ConnectAndLogin("000000");
    ASSERT_TRUE(Normal().IsWindowVisible());
    CMoreSettingDlg& more = *Normal().m_pMoreSettingDlg;
    {
        PromptDriver prompts;
        Click(Normal(), 2021);
    }
    ASSERT_TRUE(more.IsWindowVisible());
    Recorder({"detach"});
    DeviceChange();
    EXPECT_TRUE(login.IsWindowVisible());
    EXPECT_FALSE(Normal().IsWindowVisible());
    EXPECT_TRUE(more.IsWindowVisible());
    EXPECT_EQ(Status(), Msg(5));
    EXPECT_FALSE(login.m_bDeviceOpened);
    EXPECT_FALSE(login.m_bLoggedIn);

    // A language change then builds a hidden successor.
    ChooseComboItem(login, kLang, 1);
    ASSERT_NE(Normal().m_pMoreSettingDlg, nullptr);
    EXPECT_FALSE(Normal().m_pMoreSettingDlg->IsWindowVisible());
}

TEST_F(LoginTest, LanguageChangeIsWrittenThenAppliedToEveryWindow) {
    CVelmoraDlg& login = Start();
    Click(login, kConnect);
    ChooseComboItem(login, kLang, 1);
    EXPECT_NE(ReadLangFile().find("langsel=1"), std::string::npos);
    EXPECT_EQ(login.GetDlgItemText(kConnect), U("Gerät verbinden"));
    EXPECT_EQ(Status(), u"");
    EXPECT_EQ(Normal().GetWindowText(), U("Grundeinstellungen"));
    EXPECT_EQ(Normal().GetDlgItemText(2022), U("Zurück"));
    EXPECT_EQ(Normal().m_pMoreSettingDlg->GetWindowText(), U("Erweiterte Einstellungen"));
    EXPECT_FALSE(Normal().m_pMoreSettingDlg->IsWindowVisible());
}

TEST_F(LoginTest, UnwritableFileKeepsTheOldLanguage) {
    CVelmoraDlg& login = Start();
    std::filesystem::permissions(LangFile(), std::filesystem::perms::owner_read);
    std::filesystem::permissions(LangFile().parent_path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    ChooseComboItem(login, kLang, 1);
    std::filesystem::permissions(LangFile().parent_path(), std::filesystem::perms::owner_all);
    std::filesystem::permissions(LangFile(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    if (ReadLangFile().find("langsel=1") != std::string::npos) GTEST_SKIP() << "running with rights to write anyway";
    EXPECT_EQ(login.GetDlgItemText(kConnect), U("Connect device"));
}

TEST_F(LoginTest, CloseBoxWritesTheChoiceAndExitDoesNot) {
    for (const bool closeBox : {true, false}) {
        std::string content = ReadLangFile();
        const size_t at = content.find("langsel=");
        content.replace(at, 9, "langsel=0");
        WriteLangFile(content);
        CVelmoraDlg login;
        RunModal(login, [&] {
            // Someone else changes the file meanwhile.
            std::string changed = ReadLangFile();
            changed.replace(changed.find("langsel=0"), 9, "langsel=1");
            WriteLangFile(changed);
            if (closeBox) {
                CloseBox(login);
            } else {
                Click(login, 2006);
            }
        });
        EXPECT_NE(ReadLangFile().find(closeBox ? "langsel=0" : "langsel=1"), std::string::npos) << closeBox;
    }
}

TEST_F(LoginTest, StoredSelectionThatNamesNoLanguageShowsTheFirst) {
    for (const char* stored : {"7", "-1", "20"}) {
        std::string content = ReadLangFile();
        const size_t at = content.find("langsel=");
        content.replace(at, content.find('\n', at) - at, std::string("langsel=") + stored);
        WriteLangFile(content);
        CVelmoraDlg& login = Start();
        EXPECT_EQ(login.GetDlgItemText(kConnect), U("Connect device")) << stored;
        EXPECT_EQ(login.ComboGetCurSel(kLang), 0) << stored;
        EXPECT_EQ(Normal().GetDlgItemText(2022), U("Return")) << stored;
        login.DestroyWindow();
        m_login.reset();
    }
}

TEST_F(LoginTest, MissingMessageTextGivesTheErrorBoxAndTheWindowStaysUsable) {
    EndTextsAt(71);
    Recorder({"detach"});
    PromptDriver prompts;
    CVelmoraDlg& login = Start();
    const int atStart = prompts.ErrorBoxes();
    EXPECT_GE(atStart, 1);
    Click(login, kConnect);
    EXPECT_EQ(prompts.ErrorBoxes(), atStart + 1);
    Recorder({"attach"});
    DeviceChange();
    EXPECT_EQ(Status(), Msg(0));
}

TEST_F(LoginTest, AboutBoxShowsTheSelectedLanguageWithLinks) {
    CVelmoraDlg& login = Start();
    ChooseComboItem(login, kLang, 1);
    std::u16string company, web, mail, label;
    QTimer::singleShot(0, [&] {
        CDialogEx* about = CDialogEx::FindVisibleDialog(100);
        ASSERT_NE(about, nullptr);
        company = about->GetDlgItemText(1070);
        web = about->GetDlgItemText(1065);
        mail = about->GetDlgItemText(1066);
        label = about->GetDlgItemText(1067);
        SaveScreenshot(*about, "about");
        Click(*about, IDOK);
    });
    login.SendSysCommand(CVelmoraDlg::kAboutCommand);
    EXPECT_EQ(company, U("Tarvex Systems GmbH"));
    EXPECT_EQ(label, U("Firma:"));
    EXPECT_NE(web.find(u"<a href=\"www.tarvex.example\">www.tarvex.example</a>"), std::u16string::npos);
    EXPECT_NE(mail.find(u"<a href="), std::u16string::npos);
    EXPECT_EQ(DesktopServices::WebUrl(u"www.tarvex.example"), u"https://www.tarvex.example");
    EXPECT_EQ(DesktopServices::WebUrl(u"http://a.example"), u"http://a.example");
    EXPECT_EQ(DesktopServices::MailUrl(u"support@tarvex.example"), u"mailto:support@tarvex.example");
}

}  // namespace
