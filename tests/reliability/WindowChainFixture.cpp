#include "WindowChainFixture.h"

#include "AnsiCodePage.h"
#include "CLangIni.h"
#include "Messages.h"

void WindowChainFixture::TearDown() {
    if (m_login) m_login->DestroyWindow();
    m_login.reset();
    UiTest::TearDown();
}

bool WindowChainFixture::LogIn(const std::string& password) {
    m_login = std::make_unique<CVelmoraDlg>();
    if (!m_login->Create(nullptr)) return false;
    m_login->ShowWindow(SW_SHOW);
    PromptDriver prompts;
    Click(*m_login, kConnect);
    TypeInto(*m_login, kPasswordEdit, QString::fromStdString(password));
    Click(*m_login, kLogin);
    return Normal().IsWindowVisible() && !m_login->IsWindowVisible();
}

void WindowChainFixture::DeviceChange() { m_login->SendMessage(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0); }

std::vector<std::u16string> WindowChainFixture::Press(CDialogEx& dialog, int id) {
    PromptDriver prompts;
    Click(dialog, id);
    return prompts.Messages();
}

std::u16string WindowChainFixture::Text(int index) {
    const CLangIni lang;
    const auto text = lang.SelectedText().find(index);
    return text == lang.SelectedText().end() ? u"<missing>" : AnsiCodePage::ToWide(text->second);
}

std::vector<std::u16string> WindowChainFixture::Texts(int first, const std::vector<int>& offsets) {
    std::vector<std::u16string> texts;
    for (int offset : offsets) texts.push_back(Text(first + offset));
    return texts;
}
