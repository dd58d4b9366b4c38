#include <QImage>

#include "CCautionDlg.h"
#include "CLangIni.h"
#include "MessageBox.h"
#include "UiTestEnv.h"

namespace {

class CautionTest : public UiTest {
protected:
    // Shows one prompt and answers it; returns ShowCaution's result.
    bool Show(bool showCancel, Answer answer, SeenPrompt* seen = nullptr) {
        CLangIni lang;
        CCautionDlg prompt;
        PromptDriver driver({answer});
        const bool result = prompt.ShowCaution(u"Caption", u"Message", lang, showCancel);
        EXPECT_EQ(driver.Seen().size(), 1u);
        if (seen && !driver.Seen().empty()) *seen = driver.Seen().front();
        return result;
    }
};

TEST_F(CautionTest, OkAloneIsCentredFiftyPixelsAboveTheBottom) {
    SeenPrompt seen;
    Show(false, Answer::Ok, &seen);
    EXPECT_FALSE(seen.cancelVisible);
    EXPECT_EQ(seen.ok, (Rect{(seen.client.Width() - 100) / 2, seen.client.bottom - 50,
                             (seen.client.Width() - 100) / 2 + 100, seen.client.bottom - 20}));
    EXPECT_EQ(seen.title, u"Caption");
    EXPECT_EQ(seen.message, u"Message");
}

TEST_F(CautionTest, OkAndCancelAreAPairOf250PixelsCentred) {
    SeenPrompt seen;
    Show(true, Answer::Cancel, &seen);
    ASSERT_TRUE(seen.cancelVisible);
    const int x0 = (seen.client.Width() - 250) / 2;
    const int top = seen.client.bottom - 50;
    EXPECT_EQ(seen.ok, (Rect{x0, top, x0 + 100, top + 30}));
    EXPECT_EQ(seen.cancel, (Rect{x0 + 150, top, x0 + 250, top + 30}));
}

TEST_F(CautionTest, AnswersForEveryWayOfClosing) {
    struct Case {
        bool showCancel;
        Answer answer;
        bool expected;
    };
    const Case cases[] = {
        {false, Answer::Ok, true},     {false, Answer::Enter, true},   {false, Answer::Escape, false},
        {false, Answer::Close, false}, {true, Answer::Ok, true},       {true, Answer::Enter, true},
        {true, Answer::Cancel, false}, {true, Answer::Escape, false},  {true, Answer::Close, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Show(c.showCancel, c.answer), c.expected)
            << "cancel shown " << c.showCancel << ", answer " << static_cast<int>(c.answer);
    }
}

TEST_F(CautionTest, ButtonTextsComeFromTheLanguage) {
    std::string content = ReadLangFile();
    content.replace(content.find("114=OK"), 6, "114=Yes");
    content.replace(content.find("115=Cancel"), 10, "115=No");
    WriteLangFile(content);
    SeenPrompt seen;
    Show(true, Answer::Ok, &seen);
    EXPECT_EQ(seen.okText, u"Yes");
    EXPECT_EQ(seen.cancelText, u"No");
}

TEST_F(CautionTest, OneObjectShowsCancelThenHidesIt) {
    CLangIni lang;
    CCautionDlg prompt;
    PromptDriver driver;
    prompt.ShowCaution(u"Question", u"First", lang, true);
    prompt.ShowCaution(u"Notice", u"Second", lang, false);
    ASSERT_EQ(driver.Seen().size(), 2u);
    EXPECT_TRUE(driver.Seen()[0].cancelVisible);
    EXPECT_FALSE(driver.Seen()[1].cancelVisible);
    EXPECT_EQ(driver.Seen()[1].message, u"Second");
}

TEST_F(CautionTest, LanguageWithoutButtonTextsShowsErrorThenTemplateButtons) {
    std::string content = ReadLangFile();
    content.replace(content.find("115=Cancel"), 10, "115=end");
    WriteLangFile(content);
    CLangIni lang;
    CCautionDlg prompt;
    PromptDriver driver;
    EXPECT_TRUE(prompt.ShowCaution(u"Caption", u"Message", lang, false));
    ASSERT_EQ(driver.Seen().size(), 2u);
    EXPECT_TRUE(driver.Seen()[0].errorBox);
    EXPECT_EQ(driver.Seen()[0].message, kInvalidArgumentText);
    const SeenPrompt& shown = driver.Seen()[1];
    EXPECT_EQ(shown.title, u"Caption");
    EXPECT_EQ(shown.message, u"Message");
    EXPECT_EQ(shown.okText, u"OK");
    EXPECT_EQ(shown.cancelText, u"Cancel");
    EXPECT_TRUE(shown.cancelVisible);
}

}  // namespace
