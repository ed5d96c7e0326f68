#include "PreviewDlg.h"

#include "FileSystem.h"
#include "resource.h"

CPreviewDlg::CPreviewDlg(const RunPreview& preview, CWnd* parent)
    : CDialog(IDD_PREVIEW, parent), m_preview(preview) {}

void CPreviewDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_PREVIEW_REPORT, m_report);
}

BOOL CPreviewDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    size_t idle = 0;
    for (const PreviewStep& step : m_preview.steps) {
        if (step.items.empty() && step.notes.empty() && step.complete && !step.skipped)
            ++idle;
        else
            ShowStep(step);
    }
    if (idle) {
        const std::string line = std::to_string(idle) +
                                 (idle == 1 ? " checked entry finds" : " checked entries find") +
                                 " nothing to remove";
        m_report.InsertItem(line.c_str(), 0, 0);
    }
    const std::string total =
        "Total: " + CountText(m_preview.items) + ", " + SizeText(m_preview.bytes);
    SetDlgItemText(IDC_PREVIEW_TOTAL, total.c_str());
    return TRUE;
}

void CPreviewDlg::ShowStep(const PreviewStep& step) {
    std::string heading = std::string(step.line) + ": " + CountText(step.items.size());
    if (step.bytes)
        heading += ", " + SizeText(step.bytes);
    if (!step.complete)
        heading += " (memory ran out: the list is cut short)";
    const HTREEITEM parent = m_report.InsertItem(heading.c_str(), 0, 0);
    for (const std::string& note : step.notes)
        m_report.InsertItem(fs::FromUtf8("Left: " + note).c_str(), 0, 0, parent);
    for (size_t i = 0; i < step.items.size() && i < kShownItems; ++i)
        m_report.InsertItem(fs::FromUtf8(DescribeItem(step.items[i])).c_str(), 0, 0, parent);
    if (step.items.size() > kShownItems) {
        const std::string rest = "... and " + CountText(step.items.size() - kShownItems) + " more";
        m_report.InsertItem(rest.c_str(), 0, 0, parent);
    }
}
