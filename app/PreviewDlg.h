// The report of a preview: each step of the run that would remove something (or that the run
// skips) with the number and size of what it would remove, expandable to the items, one line
// for the steps that find nothing, and the total. Shred ends the dialog with IDOK, Close (the
// default button, so that Enter removes nothing) with IDCANCEL.
#pragma once

#include "Dialog.h"
#include "RunPreview.h"
#include "TreeCtrl.h"

class CPreviewDlg : public CDialog {
public:
    explicit CPreviewDlg(const RunPreview& preview, CWnd* parent = nullptr);

    // A step shows at most this many items, then one line for the rest.
    static constexpr size_t kShownItems = 1000;

    CTreeCtrl m_report;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void ShowStep(const PreviewStep& step);

    const RunPreview& m_preview;
};
