#include "wizard/win/ProfileWizardPageRunApp.h"

#include "framework/win/WideText.h"
#include "resources/resource.h"
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
    SetTicked(m_hWnd, IDC_RUNAPP_RUN, false);
    pathEdit_.SubclassDlgItem(IDC_RUNAPP_PATH, this);
    LimitText(m_hWnd, IDC_RUNAPP_PATH, runapp::kPathLimit);
    LimitText(m_hWnd, IDC_RUNAPP_ARGUMENTS, runapp::kArgumentsLimit);
    ApplyEnablingRule();
    return TRUE;
}

void CProfileWizardPageRunApp::ShowRecord() {
    const CProfileData& profile = context_.editRecord;
    SetTicked(m_hWnd, IDC_RUNAPP_RUN, profile.Record().runAppEnabled == 1);
    SetText(m_hWnd, IDC_RUNAPP_PATH, W(profile.GetText(ProfileText::appPath)));
    SetText(m_hWnd, IDC_RUNAPP_ARGUMENTS, W(profile.GetText(ProfileText::appArguments)));
    ApplyEnablingRule();
}

void CProfileWizardPageRunApp::ApplyEnablingRule() {
    const bool run = IsTicked(m_hWnd, IDC_RUNAPP_RUN);
    for (int id : {IDC_RUNAPP_PATH, IDC_RUNAPP_BROWSE, IDC_RUNAPP_ARGUMENTS}) Enable(m_hWnd, id, run);
}

bool CProfileWizardPageRunApp::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (IsClickOn(wParam, IDC_RUNAPP_RUN))
        ApplyEnablingRule();
    else if (IsClickOn(wParam, IDC_RUNAPP_BROWSE))
        Browse();
    else
        return CPropertyPage::OnCommand(wParam, lParam);
    return true;
}

// A chosen file replaces the path; its options belonged to the old one.
void CProfileWizardPageRunApp::Browse() {
    std::wstring path;
    if (!ChooseApplicationFile(m_hWnd, &path)) return;
    SetText(m_hWnd, IDC_RUNAPP_PATH, path);
    SetText(m_hWnd, IDC_RUNAPP_ARGUMENTS, L"");
}

bool CProfileWizardPageRunApp::PassesCheck() {
    const Text path = T(TextOf(m_hWnd, IDC_RUNAPP_PATH));
    return !RefuseNext(m_hWnd, runapp::CheckRunAppPage(IsTicked(m_hWnd, IDC_RUNAPP_RUN), path), IDC_RUNAPP_PATH);
}

void CProfileWizardPageRunApp::Store() {
    CProfileData& profile = context_.editRecord;
    profile.Record().runAppEnabled = FlagOf(m_hWnd, IDC_RUNAPP_RUN);
    profile.SetText(ProfileText::appPath, T(TextOf(m_hWnd, IDC_RUNAPP_PATH)));
    profile.SetText(ProfileText::appArguments, T(TextOf(m_hWnd, IDC_RUNAPP_ARGUMENTS)));
}
