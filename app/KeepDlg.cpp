#include "KeepDlg.h"

#include "FileSystem.h"
#include "FolderDialog.h"
#include "KeepStore.h"
#include "Product.h"
#include "resource.h"

#include <algorithm>

namespace {

void AddLine(HWND box, const std::string& text) {
    SendMessageW(box, LB_ADDSTRING, 0, LPARAM(fs::FromUtf8(text).c_str()));
}

// Gathers the sites with cookies now, for the user to pick from.
class PresentSites : public VxSiteSink {
public:
    explicit PresentSites(HWND box) : m_box(box) {}
    void Site(const char* host) noexcept override { AddLine(m_box, host); }

private:
    HWND m_box;
};

} // namespace

BEGIN_MESSAGE_MAP(CKeepDlg, CDialog)
ON_BN_CLICKED(IDC_ADD_SITE, OnAddSite)
ON_BN_CLICKED(IDC_REMOVE_SITE, OnRemoveSite)
ON_BN_CLICKED(IDC_KEEP_PRESENT, OnKeepPresent)
ON_BN_CLICKED(IDC_ADD_PLACE, OnAddPlace)
ON_BN_CLICKED(IDC_REMOVE_PLACE, OnRemovePlace)
ON_BN_CLICKED(IDC_BROWSE_PLACE, OnBrowsePlace)
END_MESSAGE_MAP()

CKeepDlg::CKeepDlg(CWnd* parent) : CDialog(IDD_KEEP, parent) {}

// Stored entries that are no site or place are said once and left out.
BOOL CKeepDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const StoredKeep stored = ReadKeepLists();
    for (const std::string& site : stored.lists.sites)
        Add(true, site);
    for (const std::string& place : stored.lists.places)
        Add(false, place);
    PresentSites present(::GetDlgItem(m_hWnd, IDC_PRESENT_SITES));
    VxCookieSites(present);
    ShowLocks(stored);
    if (!stored.skipped.empty()) {
        std::string text;
        for (const std::string& line : stored.skipped)
            text += line + "\n";
        Say(text);
    }
    return TRUE;
}

// A list the organisation locked is shown as it is, and cannot be changed here.
void CKeepDlg::ShowLocks(const StoredKeep& stored) {
    for (const int id : {IDC_SITE, IDC_ADD_SITE, IDC_REMOVE_SITE, IDC_KEEP_PRESENT})
        ::EnableWindow(::GetDlgItem(m_hWnd, id), !stored.sitesLocked);
    for (const int id : {IDC_PLACE, IDC_BROWSE_PLACE, IDC_ADD_PLACE, IDC_REMOVE_PLACE})
        ::EnableWindow(::GetDlgItem(m_hWnd, id), !stored.placesLocked);
    if (stored.sitesLocked || stored.placesLocked)
        SetDlgItemText(IDC_KEEP_LOCKED, stored.sitesLocked && stored.placesLocked
                                            ? "Both lists are set by your organisation."
                                        : stored.sitesLocked
                                            ? "The sites are set by your organisation."
                                            : "The places are set by your organisation.");
}

void CKeepDlg::OnOK() {
    if (!WriteKeepLists(m_lists)) {
        Say("The keep lists could not be stored.");
        return;
    }
    CDialog::OnOK();
}

void CKeepDlg::OnAddSite() {
    if (Add(true, ControlText(IDC_SITE)))
        SetDlgItemTextW(m_hWnd, IDC_SITE, L"");
}

void CKeepDlg::OnRemoveSite() {
    Remove(true);
}

void CKeepDlg::OnKeepPresent() {
    const HWND box = ::GetDlgItem(m_hWnd, IDC_PRESENT_SITES);
    const LRESULT selected = SendMessageW(box, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        return;
    std::wstring host(size_t(SendMessageW(box, LB_GETTEXTLEN, WPARAM(selected), 0)), L'\0');
    SendMessageW(box, LB_GETTEXT, WPARAM(selected), LPARAM(&host[0]));
    Add(true, fs::ToUtf8(host.c_str()));
}

void CKeepDlg::OnAddPlace() {
    if (Add(false, ControlText(IDC_PLACE)))
        SetDlgItemTextW(m_hWnd, IDC_PLACE, L"");
}

void CKeepDlg::OnRemovePlace() {
    Remove(false);
}

void CKeepDlg::OnBrowsePlace() {
    CFolderDialog dialog("Select a folder to keep: ", GetDlgItemText(IDC_PLACE), this,
                         BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE);
    if (dialog.DoModal() == IDOK)
        SetDlgItemText(IDC_PLACE, dialog.m_selectedPath);
}

bool CKeepDlg::Add(bool site, const std::string& text) {
    std::string fault;
    const std::string entry = site ? KeptSite(text, fault) : KeptPlace(text, fault);
    if (entry.empty()) {
        Say("\"" + text + "\" " + fault + ".");
        return false;
    }
    std::vector<std::string>& list = site ? m_lists.sites : m_lists.places;
    if (std::find(list.begin(), list.end(), entry) == list.end()) {
        list.push_back(entry);
        AddLine(::GetDlgItem(m_hWnd, site ? IDC_KEPT_SITES : IDC_KEPT_PLACES), entry);
    }
    return true;
}

void CKeepDlg::Remove(bool site) {
    const HWND box = ::GetDlgItem(m_hWnd, site ? IDC_KEPT_SITES : IDC_KEPT_PLACES);
    const LRESULT selected = SendMessageW(box, LB_GETCURSEL, 0, 0);
    std::vector<std::string>& list = site ? m_lists.sites : m_lists.places;
    if (selected == LB_ERR || size_t(selected) >= list.size())
        return;
    list.erase(list.begin() + selected);
    SendMessageW(box, LB_DELETESTRING, WPARAM(selected), 0);
}

std::string CKeepDlg::ControlText(int id) const {
    std::wstring text(size_t(GetWindowTextLengthW(::GetDlgItem(m_hWnd, id))) + 1, L'\0');
    GetDlgItemTextW(m_hWnd, id, &text[0], int(text.size()));
    return fs::ToUtf8(text.c_str());
}

void CKeepDlg::Say(const std::string& text) const {
    MessageBoxW(m_hWnd, fs::FromUtf8(text).c_str(), fs::FromUtf8(VX_PRODUCT_NAME).c_str(),
                MB_OK | MB_ICONINFORMATION);
}
