#include <QApplication>
#include <QFontInfo>
#include <QWidget>

#include "CMoreSettingDlg.h"
#include "CNormalSettingsDlg.h"
#include "CVelmoraDlg.h"
#include "UiTestEnv.h"

namespace {

class ChainTest : public UiTest {};


}  // namespace

TEST_F(ChainTest, LoginWindowStartsInStoredLanguageWithHiddenSettingsWindows) {
    std::string content = ReadLangFile();
    content.replace(content.find("langsel=0"), 9, "langsel=1");
    WriteLangFile(content);

    CVelmoraDlg login;
    int result = RunModal(login, [&] {
        EXPECT_TRUE(login.IsWindowVisible());
        EXPECT_EQ(login.GetWindowText(), U("Velmora Connect"));
        EXPECT_EQ(login.GetDlgItemText(2004), U("Gerät verbinden"));
        EXPECT_EQ(QFontInfo(login.Widget()->font()).family(), QStringLiteral("Liberation Sans Narrow"));

        CNormalSettingsDlg* normal = login.NormalSettingsDlg();
        ASSERT_NE(normal, nullptr);
        ASSERT_TRUE(normal->IsWindow());
        EXPECT_FALSE(normal->IsWindowVisible());
        ASSERT_NE(normal->m_pMoreSettingDlg, nullptr);
        EXPECT_TRUE(normal->m_pMoreSettingDlg->IsWindow());
        EXPECT_FALSE(normal->m_pMoreSettingDlg->IsWindowVisible());

        SaveScreenshot(login, "login");
        SaveScreenshot(*normal, "normal-settings");
        SaveScreenshot(*normal->m_pMoreSettingDlg, "more-settings");
        Click(login, 2006);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(ChainTest, WindowsHaveTheirTemplateSizeInDialogUnits) {
    CVelmoraDlg login;
    ASSERT_TRUE(login.Create(nullptr));
    const QWidget* window = login.Widget();
    // 394 x 221 dialog units; the base units come from the dialog font.
    const QFontMetrics metrics(window->font());
    const int baseX = (metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) / 2;
    EXPECT_EQ(window->width(), (394 * baseX + 2) / 4);
    EXPECT_EQ(window->height(), (221 * metrics.height() + 4) / 8);
    login.DestroyWindow();
}

TEST_F(ChainTest, ExitDestroysLoginThenBasicThenAdvanced) {
    static std::vector<int> order;
    order.clear();
    CDialogEx::SetDestroyObserver([](CDialogEx& dialog) { order.push_back(dialog.TemplateId()); });
    CVelmoraDlg login;
    RunModal(login, [&] { Click(login, 2006); });
    CDialogEx::SetDestroyObserver(nullptr);
    EXPECT_EQ(order, (std::vector<int>{129, 102, 130}));
    EXPECT_FALSE(login.IsWindow());
}

TEST_F(ChainTest, CloseBoxDestroysTheSettingsWindowsThenTheLoginWindow) {
    static std::vector<int> order;
    order.clear();
    CDialogEx::SetDestroyObserver([](CDialogEx& dialog) { order.push_back(dialog.TemplateId()); });
    CVelmoraDlg login;
    const int result = RunModal(login, [&] { CloseBox(login); });
    CDialogEx::SetDestroyObserver(nullptr);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(order, (std::vector<int>{102, 130, 129}));
}

TEST_F(ChainTest, EnterAndEscapeDoNothingInTheChainWindows) {
    CVelmoraDlg login;
    ASSERT_TRUE(login.Create(nullptr));
    login.ShowWindow(SW_SHOW);
    CNormalSettingsDlg& normal = *login.NormalSettingsDlg();
    CMoreSettingDlg& more = *normal.m_pMoreSettingDlg;
    for (CDialogEx* window : std::vector<CDialogEx*>{&login, &normal, &more}) {
        window->ShowWindow(SW_SHOW);
        PromptDriver prompts;
        PressKey(*window, Qt::Key_Escape);
        PressKey(*window, Qt::Key_Return);
        ProcessEvents();
        EXPECT_TRUE(window->IsWindowVisible()) << window->TemplateId();
        EXPECT_TRUE(prompts.Seen().empty()) << window->TemplateId();
    }
    login.DestroyWindow();
}
