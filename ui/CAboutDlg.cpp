#include "CAboutDlg.h"

#include "AnsiCodePage.h"
#include "DesktopServices.h"

namespace {

struct TextPlace {
    int text;
    int control;
    bool link;
};

constexpr TextPlace kPlaces[] = {
    {290, 1070, false},  // company name
    {291, 1065, true},   // web address
    {292, 1066, true},   // e-mail address
    {295, 1067, false},  // labels
    {296, 1068, false},
    {297, 1069, false},
};

constexpr int kWebLink = 1065;
constexpr int kMailLink = 1066;

}  // namespace

CAboutDlg::CAboutDlg(const CLangIni& lang) : CDialogEx(kTemplateId) { m_lang = lang; }

bool CAboutDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    const TextMap texts = m_lang.SelectedText();
    for (const TextPlace& place : kPlaces) {
        const auto it = texts.find(place.text);
        if (it == texts.end()) continue;
        const std::u16string text = AnsiCodePage::ToWide(it->second);
        SetDlgItemText(place.control, place.link ? u"<a>" + text + u"</a>" : text);
    }
    return true;
}

void CAboutDlg::OnLinkClicked(int id, const std::u16string& target) {
    if (id == kWebLink) DesktopServices::OpenWebAddress(target);
    if (id == kMailLink) DesktopServices::OpenMailAddress(target);
}
