#include "UserItemDlg.h"

#include "FolderDialog.h"
#include "Product.h"
#include "ProtectedPlaces.h"
#include "WinApp.h"
#include "resource.h"

namespace {

constexpr char kNoFolder[] = "Please select a folder.";
constexpr char kNoPatterns[] = "Please input a filename.";
constexpr char kNotFullPath[] =
    "Please select the folder by its full path, such as C:\\Files or \\\\Server\\Share.";
constexpr char kOutsideFolder[] =
    "A file name may use the wildcards \"*\" and \"?\", but cannot name another folder: "
    "remove \"\\\", \"/\", \":\" and \"..\" and leave no name empty between commas.";
constexpr char kWholePlace[] =
    "%s is a whole drive or a folder of Windows, and these file names take every file in it. "
    "Checked in the tree, this item shreds all of them.\n\nStore the item anyway?";

bool IsBlank(CString text) {
    text.TrimLeft();
    return text.IsEmpty();
}

} // namespace

BEGIN_MESSAGE_MAP(CUserItemDlg, CDialog)
ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CUserItemDlg::CUserItemDlg(const UserItem& item, CWnd* parent)
    : CDialog(IDD_USER_ITEM, parent), m_folder(item.folder), m_subfolder(item.subfolders ? 1 : 0),
      m_fileNames(item.patterns) {}

UserItem CUserItemDlg::Item() const {
    return {m_folder, m_fileNames, m_subfolder != 0};
}

void CUserItemDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_FOLDER, m_folder);
    DDX_Check(pDX, IDC_SUBFOLDER, m_subfolder);
    DDX_CBString(pDX, IDC_FILE_NAMES, m_fileNames);
}

void CUserItemDlg::OnBrowse() {
    CFolderDialog dialog("Select a folder: ", GetDlgItemText(IDC_FOLDER), this,
                         BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE);
    if (dialog.DoModal() == IDOK)
        SetDlgItemText(IDC_FOLDER, dialog.m_selectedPath);
}

// The texts are stored exactly as typed, leading blanks included.
void CUserItemDlg::OnOK() {
    UpdateData(TRUE);
    if (const char* refusal = Refusal()) {
        Warn(refusal);
        return;
    }
    if (TakesAWholeProtectedPlace(Item())) {
        CString question;
        question.Format(kWholePlace, static_cast<const char*>(m_folder));
        if (MessageBoxA(m_hWnd, question, VX_PRODUCT_NAME,
                        MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
            return;
    }
    CDialog::OnOK();
}

const char* CUserItemDlg::Refusal() const {
    switch (CheckFolder(m_folder)) {
    case FolderCheck::Empty:
        return kNoFolder;
    case FolderCheck::NotFullPath:
        return kNotFullPath;
    case FolderCheck::FullPath:
        break;
    }
    if (IsBlank(m_fileNames))
        return kNoPatterns;
    for (const CString& pattern : SplitPatterns(m_fileNames))
        if (!IsPatternInsideFolder(pattern))
            return kOutsideFolder;
    return nullptr;
}

void CUserItemDlg::Warn(const char* text) const {
    MessageBoxA(m_hWnd, text, VX_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
}
