#include <QAccessible>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <map>

#include "CAboutDlg.h"
#include "CCautionDlg.h"
#include "CLangIni.h"
#include "CMoreSettingDlg.h"
#include "CNormalSettingsDlg.h"
#include "CVelmoraDlg.h"
#include "DialogTemplate.h"
#include "LinkMarkup.h"
#include "UiTestEnv.h"

namespace {

class AccessibilityTest : public UiTest {};

// The control id of a widget (or of the control an inner widget belongs to); 0 if none.
int ControlId(CDialogEx& dialog, QWidget* widget) {
    const res::DialogTemplate* t = res::FindTemplate(dialog.TemplateId());
    for (QWidget* w = widget; w && w != dialog.Widget(); w = w->parentWidget()) {
        for (const res::ControlTemplate& c : t->controls) {
            if (c.id != res::kNoId && dialog.DlgItemWidget(c.id) == w) return c.id;
        }
    }
    return 0;
}

// Shows the window, then presses Tab on the focused control until the focus comes
// back to where it started; returns the controls it passed, starting one.
std::vector<int> TabOrder(CDialogEx& dialog) {
    if (!dialog.IsWindowVisible()) dialog.ShowWindow(SW_SHOW);
    ProcessEvents();
    QWidget* window = dialog.Widget();
    QWidget* first = window->focusWidget();
    std::vector<int> order;
    if (!first) return order;
    QWidget* current = first;
    for (int i = 0; i < 40; ++i) {
        order.push_back(ControlId(dialog, current));
        QTest::keyClick(current, Qt::Key_Tab);
        current = window->focusWidget();
        if (!current || current == first) break;
    }
    return order;
}

// What the template says: its visible tab stops, in template order.
std::vector<int> TemplateTabStops(int templateId) {
    std::vector<int> ids;
    for (const res::ControlTemplate& c : res::FindTemplate(templateId)->controls) {
        if ((c.flags & res::kTabStop) && !(c.flags & res::kHidden)) ids.push_back(c.id);
    }
    return ids;
}

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// Every control whose template has a caption is named after the text it shows now.
void ExpectNamedAfterCaptions(CDialogEx& dialog) {
    for (const res::ControlTemplate& c : res::FindTemplate(dialog.TemplateId())->controls) {
        if (c.id == res::kNoId || *c.caption == '\0') continue;
        QWidget* widget = dialog.DlgItemWidget(c.id);
        ASSERT_NE(widget, nullptr) << c.id;
        const QString name = AccessibleName(widget);
        if (c.kind == res::ControlKind::Link) {
            // A link is named after the words it shows, without its markup.
            EXPECT_FALSE(name.isEmpty()) << c.id;
            EXPECT_FALSE(name.contains(u'<')) << c.id << " " << name.toStdString();
            continue;
        }
        const QString shown = LinkMarkup::ToPlainText(QString::fromStdU16String(dialog.GetDlgItemText(c.id)));
        // The clock (1006), serial number (1018) and status line (1056) show
        // values and messages, which may be empty.
        if (c.id != 1006 && c.id != 1018 && c.id != 1056) {
            EXPECT_FALSE(shown.isEmpty()) << "template " << dialog.TemplateId() << " control " << c.id;
        }
        EXPECT_EQ(name, shown) << "template " << dialog.TemplateId() << " control " << c.id;
    }
}

// Text that a control cannot show whole: wider than a button, or taller than a
// static's rectangle once wrapped.
std::vector<std::string> ClippedTexts(CDialogEx& dialog) {
    std::vector<std::string> clipped;
    for (const res::ControlTemplate& c : res::FindTemplate(dialog.TemplateId())->controls) {
        if (c.id == res::kNoId || (c.flags & res::kHidden)) continue;
        QWidget* w = dialog.DlgItemWidget(c.id);
        if (!w || !w->isVisible()) continue;
        const QFontMetrics metrics(w->font());
        const QString text = LinkMarkup::ToPlainText(QString::fromStdU16String(dialog.GetDlgItemText(c.id)));
        if (text.isEmpty()) continue;
        bool fits = true;
        if (c.kind == res::ControlKind::PushButton || c.kind == res::ControlKind::GroupBox) {
            fits = metrics.horizontalAdvance(text) <= w->width() - 4;
        } else if (c.kind == res::ControlKind::Static || c.kind == res::ControlKind::Link) {
            const QRect need = metrics.boundingRect(QRect(0, 0, w->width(), 10000), Qt::TextWordWrap, text);
            fits = need.width() <= w->width() && need.height() <= w->height();
        }
        if (!fits) clipped.push_back(std::to_string(dialog.TemplateId()) + "/" + std::to_string(c.id) + " \"" +
                                     text.toStdString() + "\"");
    }
    return clipped;
}

double ScaleFromEnvironment() {
    const char* scale = std::getenv("QT_SCALE_FACTOR");
    return scale ? std::atof(scale) : 1.0;
}

std::string ScaleSuffix() { return ScaleFromEnvironment() >= 1.5 ? "@2x" : "@1x"; }

}  // namespace

TEST_F(AccessibilityTest, LoginTabOrderIsTheTemplateOrder) {
    CVelmoraDlg login;
    ASSERT_TRUE(login.Create(nullptr));
    const std::vector<int> expected = {1007, 2004, 2005, 2006, 1019};
    EXPECT_EQ(TemplateTabStops(129), expected);
    EXPECT_EQ(TabOrder(login), expected);
}

TEST_F(AccessibilityTest, BasicSettingsTabOrderIsTheTemplateOrder) {
    CVelmoraDlg login;
    ASSERT_TRUE(login.Create(nullptr));
    CNormalSettingsDlg& normal = *login.NormalSettingsDlg();
    // Exit (2023) stays hidden and is passed over.
    const std::vector<int> expected = {2008, 2009, 1001, 1002, 1003, 2014, 1004, 1005, 2019, 2020, 2021, 2022};
    EXPECT_EQ(TemplateTabStops(102), expected);
    EXPECT_EQ(TabOrder(normal), expected);
}

TEST_F(AccessibilityTest, AdvancedSettingsTabOrderIsTheTemplateOrder) {
    CVelmoraDlg login;
    ASSERT_TRUE(login.Create(nullptr));
    CMoreSettingDlg& more = *login.NormalSettingsDlg()->m_pMoreSettingDlg;
    // The hidden Set (2034) and the hidden lists 1013 and 1017 are passed over.
    const std::vector<int> expected = {2037, 2036, 1009, 1010, 1011, 1012, 1014, 1015,
                                       1016, 1019, 1071, 1021, 1022};
    EXPECT_EQ(TemplateTabStops(130), expected);
    EXPECT_EQ(TabOrder(more), expected);
}

TEST_F(AccessibilityTest, CautionPromptTabOrderIsTheTemplateOrder) {
    const std::vector<int> expected = {1, 2};
    EXPECT_EQ(TemplateTabStops(131), expected);
    std::vector<int> seen;
    PromptDriver driver({Answer::Cancel});
    driver.OnEachPrompt([&](const SeenPrompt&) {
        if (CDialogEx* prompt = CDialogEx::FindVisibleDialog(131)) seen = TabOrder(*prompt);
    });
    CLangIni lang;
    CCautionDlg prompt;
    EXPECT_FALSE(prompt.ShowCaution(u"Caution", u"Question?", lang, true));
    EXPECT_EQ(seen, expected);
}

TEST_F(AccessibilityTest, AboutBoxTabOrderIsTheTemplateOrder) {
    CLangIni lang;
    CAboutDlg about(lang);
    ASSERT_TRUE(about.Create(nullptr));
    const std::vector<int> expected = {1065, 1066, 1};
    EXPECT_EQ(TemplateTabStops(100), expected);
    // Tab inside a link label walks its links, so the order is read from the
    // focus chain here rather than by pressing Tab.
    about.ShowWindow(SW_SHOW);
    ProcessEvents();
    std::vector<int> chain;
    QWidget* window = about.Widget();
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled()) {
            const int id = ControlId(about, w);
            if (chain.empty() || chain.back() != id) chain.push_back(id);
        }
    }
    EXPECT_EQ(chain, expected);
}

TEST_F(AccessibilityTest, ControlsAreNamedAfterTheirCaptions) {
    CVelmoraDlg login;
    ASSERT_TRUE(login.Create(nullptr));
    CNormalSettingsDlg& normal = *login.NormalSettingsDlg();
    ExpectNamedAfterCaptions(login);
    ExpectNamedAfterCaptions(normal);
    ExpectNamedAfterCaptions(*normal.m_pMoreSettingDlg);
    CLangIni lang;
    CAboutDlg about(lang);
    ASSERT_TRUE(about.Create(nullptr));
    ExpectNamedAfterCaptions(about);
}

TEST_F(AccessibilityTest, NamesFollowTheLanguage) {
    CVelmoraDlg login;
    ASSERT_TRUE(login.Create(nullptr));
    EXPECT_EQ(AccessibleName(login.DlgItemWidget(2004)), QStringLiteral("Connect device"));
    login.ShowWindow(SW_SHOW);
    ChooseComboItem(login, 1019, 1);
    EXPECT_EQ(AccessibleName(login.DlgItemWidget(2004)), QStringLiteral("Gerät verbinden"));
    ExpectNamedAfterCaptions(login);
    ExpectNamedAfterCaptions(*login.NormalSettingsDlg());
}

TEST_F(AccessibilityTest, PromptButtonsAreNamedAfterTheirTexts) {
    std::vector<QString> names;
    PromptDriver driver({Answer::Ok});
    driver.OnEachPrompt([&](const SeenPrompt&) {
        if (CDialogEx* prompt = CDialogEx::FindVisibleDialog(131)) {
            for (int id : {1, 2, 1057}) names.push_back(AccessibleName(prompt->DlgItemWidget(id)));
        }
    });
    CLangIni lang;
    CCautionDlg prompt;
    prompt.ShowCaution(u"Caution", u"Return without writing the parameters?", lang, true);
    const std::vector<QString> expected = {QStringLiteral("OK"), QStringLiteral("Cancel"),
                                           QStringLiteral("Return without writing the parameters?")};
    EXPECT_EQ(names, expected);
}

// Runs once as it is and once more with QT_SCALE_FACTOR=2 (a test of its own).
TEST_F(AccessibilityTest, ScreenshotsShowEveryTextWhole) {
    CVelmoraDlg login;
    ASSERT_TRUE(login.Create(nullptr));
    for (int language : {0, 1}) {
        login.ShowWindow(SW_SHOW);
        ChooseComboItem(login, 1019, language);
        // A language change may build the settings windows anew.
        CNormalSettingsDlg& normal = *login.NormalSettingsDlg();
        CMoreSettingDlg& more = *normal.m_pMoreSettingDlg;
        const std::string suffix = (language ? "-de" : "") + ScaleSuffix();
        for (CDialogEx* dialog : std::vector<CDialogEx*>{&login, &normal, &more}) {
            dialog->ShowWindow(SW_SHOW);
            ProcessEvents();
            EXPECT_DOUBLE_EQ(dialog->Widget()->windowHandle()->devicePixelRatio(), ScaleFromEnvironment());
            EXPECT_EQ(ClippedTexts(*dialog), std::vector<std::string>{}) << "language " << language;
        }
        SaveScreenshot(login, "a11y-login" + suffix);
        SaveScreenshot(normal, "a11y-basic" + suffix);
        SaveScreenshot(more, "a11y-advanced" + suffix);
        for (CDialogEx* dialog : std::vector<CDialogEx*>{&more, &normal}) dialog->ShowWindow(SW_HIDE);
    }
    std::vector<std::string> promptClipped;
    PromptDriver driver({Answer::Cancel});
    driver.OnEachPrompt([&](const SeenPrompt&) {
        if (CDialogEx* prompt = CDialogEx::FindVisibleDialog(131)) {
            promptClipped = ClippedTexts(*prompt);
            SaveScreenshot(*prompt, "a11y-prompt" + ScaleSuffix());
        }
    });
    CLangIni lang;
    CCautionDlg prompt;
    prompt.ShowCaution(u"Caution", u"Return without writing the parameters?", lang, true);
    EXPECT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(promptClipped, std::vector<std::string>{});
}
