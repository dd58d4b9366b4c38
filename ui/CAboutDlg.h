#pragma once

#include "CDialogEx.h"
#include "CLangIni.h"

// The About box: product and version, and the maker's company, web and e-mail
// address in the selected language; the two addresses are links that open.
class CAboutDlg : public CDialogEx {
public:
    static constexpr int kTemplateId = 100;

    explicit CAboutDlg(const CLangIni& lang);

protected:
    bool OnInitDialog() override;
    void OnLinkClicked(int id, const std::u16string& target) override;

private:
    CLangIni m_lang;
};
