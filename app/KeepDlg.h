// The keep lists, edited as a whole and stored when the user says OK: the sites whose cookies
// stay, typed or picked from those with cookies now, and the files and folders no run touches.
#pragma once

#include "Dialog.h"
#include "KeepList.h"

#include <string>
#include <vector>

struct StoredKeep;

class CKeepDlg : public CDialog {
public:
    explicit CKeepDlg(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnAddSite();
    void OnRemoveSite();
    void OnKeepPresent();
    void OnAddPlace();
    void OnRemovePlace();
    void OnBrowsePlace();

    DECLARE_MESSAGE_MAP()

private:
    // Adds the entry to the list and its box, once; an entry that is none is refused with a
    // message that says why, and false.
    bool Add(bool site, const std::string& text);
    void Remove(bool site);
    void ShowLocks(const StoredKeep& stored);
    std::string ControlText(int id) const;
    void Say(const std::string& text) const;

    KeepLists m_lists;
};
