#include "wizard/win/ProfileWizardPageRunApp.h"

#include "framework/win/WideText.h"
#include "wizard/RunAppRules.h"
#include "wizard/win/ApplicationFileChooser.h"
#include "wizard/win/PageControls.h"

using namespace pagecontrols;

namespace {

constexpr int kPageIndex = 5;

}  // namespace

CProfileWizardPageRunApp::CProfileWizardPageRunApp(const ProfileWizardContext& context)
    : CProfileWizardPage(kPageIndex, context) {}

BOOL CProfileWizardPageRunApp::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    SetTicked(m_hWnd, kRunCheckId, false);
    pathEdit_.SubclassDlgItem(kPathEditId, this);
    LimitText(m_hWnd, kPathEditId, runapp::kPathLimit);
    LimitText(m_hWnd, kArgumentsEditId, runapp::kArgumentsLimit);
    ApplyEnablingRule();
    return TRUE;
}

void CProfileWizardPageRunApp::ShowRecord() {
    const CProfileData& profile = context_.editRecord;
    SetTicked(m_hWnd, kRunCheckId, profile.Record().runAppEnabled == 1);
    SetText(m_hWnd, kPathEditId, W(profile.GetText(ProfileText::appPath)));
    SetText(m_hWnd, kArgumentsEditId, W(profile.GetText(ProfileText::appArguments)));
    ApplyEnablingRule();
}

void CProfileWizardPageRunApp::ApplyEnablingRule() {
    const bool run = IsTicked(m_hWnd, kRunCheckId);
    for (int id : {kPathEditId, kBrowseId, kArgumentsEditId}) Enable(m_hWnd, id, run);
}

bool CProfileWizardPageRunApp::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (IsClickOn(wParam, kRunCheckId))
        ApplyEnablingRule();
    else if (IsClickOn(wParam, kBrowseId))
        Browse();
    else
        return CPropertyPage::OnCommand(wParam, lParam);
    return true;
}

// A chosen file replaces the path; its options belonged to the old one.
void CProfileWizardPageRunApp::Browse() {
    std::wstring path;
    if (!ChooseApplicationFile(m_hWnd, &path)) return;
    SetText(m_hWnd, kPathEditId, path);
    SetText(m_hWnd, kArgumentsEditId, L"");
}

bool CProfileWizardPageRunApp::PassesCheck() {
    const Text path = T(TextOf(m_hWnd, kPathEditId));
    return !RefuseNext(m_hWnd, runapp::CheckRunAppPage(IsTicked(m_hWnd, kRunCheckId), path), kPathEditId);
}

void CProfileWizardPageRunApp::Store() {
    CProfileData& profile = context_.editRecord;
    profile.Record().runAppEnabled = FlagOf(m_hWnd, kRunCheckId);
    profile.SetText(ProfileText::appPath, T(TextOf(m_hWnd, kPathEditId)));
    profile.SetText(ProfileText::appArguments, T(TextOf(m_hWnd, kArgumentsEditId)));
}
