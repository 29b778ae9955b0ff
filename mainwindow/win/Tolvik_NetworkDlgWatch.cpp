// The main dialog's eye on the network: which profile is in force (the
// list's mark and a line of the description), kept current while the
// window is visible, and the profile the program applies by itself when
// the laptop joins a network (automatic and fall-back profiles), watched
// hidden or visible.
#include <algorithm>

#include "app/Messages.h"
#include "app/win/OrtivoMessage.h"
#include "app/win/Tolvik_NetworkApp.h"
#include "framework/win/WideText.h"
#include "mainwindow/win/DialogTexts.h"
#include "mainwindow/win/Tolvik_NetworkDlg.h"
#include "resources/resource.h"
#include "switching/ProfileInForce.h"
#include "switching/win/SettingServiceClient.h"
#include "system/MacText.h"

namespace {

bool AppliesByItself(const CProfileData& profile) {
    return profile.Extension().automatic || profile.Extension().fallback != ProfileExtension::Fallback::None;
}

// `inForceId`: the profile in force (ProfileInForce); two DHCP profiles
// can both fit a connection, and then the one applied last is the one.
std::vector<AutoCandidate> Candidates(const std::vector<CProfileData>& profiles, int32_t inForceId) {
    std::vector<AutoCandidate> candidates;
    for (const CProfileData& p : profiles) {
        const ProfileExtension& e = p.Extension();
        const int32_t id = p.Record().profileId;
        candidates.push_back({id, p.GetText(ProfileText::macAddress), e.automatic, e.fallback, e.network,
                              id == inForceId});
    }
    return candidates;
}

}  // namespace

std::vector<CProfileData> CTolvik_NetworkDlg::AllProfiles() const {
    std::vector<CProfileData> profiles;
    CProfileData profile;
    for (int i = 0; i < app_.profiles.Count(); ++i)
        if (app_.profiles.GetByPosition(i, &profile) == 0) profiles.push_back(profile);
    return profiles;
}

void CTolvik_NetworkDlg::WatchNetwork() {
    const std::vector<CProfileData> profiles = AllProfiles();
    const bool byItself = std::any_of(profiles.begin(), profiles.end(), AppliesByItself);
    std::vector<WatchRequest> requests;
    // The mark is looked after while it can be seen; what applies by itself
    // hidden or not.
    if (byItself || ::IsWindowVisible(m_hWnd)) {
        for (const CProfileData& p : profiles) {
            const Text mac = p.GetText(ProfileText::macAddress);
            if (mac.empty()) continue;  // no adapter chosen: no connection to look at
            const bool lost = p.Extension().fallback == ProfileExtension::Fallback::GatewayLost;
            const auto same = std::find_if(requests.begin(), requests.end(),
                                           [&](const WatchRequest& r) { return mactext::Same(r.macAddress, mac); });
            if (same == requests.end())
                requests.push_back({mac, lost});
            else
                same->pingGateway = same->pingGateway || lost;
        }
    }
    if (requests.size() == watched_.size() &&
        std::equal(requests.begin(), requests.end(), watched_.begin(), [](const WatchRequest& a, const WatchRequest& b) {
            return a.macAddress == b.macAddress && a.pingGateway == b.pingGateway;
        }))
        return;
    watched_ = requests;
    watcher_.Watch(requests);
}

void CTolvik_NetworkDlg::ShowInForce(int32_t profileId) {
    if (profileId == inForceId_) return;
    inForceId_ = profileId;
    profileList_.MarkInForce(profileId);
    ShowProfileDescription(SelectedRow());
}

void CTolvik_NetworkDlg::OnNetworkLooked() {
    const std::vector<WatchedConnection> looked = watcher_.Latest();
    const std::vector<CProfileData> profiles = AllProfiles();
    std::vector<ConnectionState> states;
    for (const WatchedConnection& c : looked) states.push_back(c.state);
    const int position = ProfileInForce(profiles, states, lastAppliedId_);
    ShowInForce(position == -1 ? 0 : profiles[static_cast<std::size_t>(position)].Record().profileId);
    // While the question is open, a look decides nothing.
    if (asking_) return;
    const int32_t chosen = autoSwitch_.Look(looked, Candidates(profiles, inForceId_), ::GetTickCount64(), switchInProgress_);
    if (chosen != 0) ApplyByItself(chosen);
}

void CTolvik_NetworkDlg::ApplyByItself(int32_t profileId) {
    CProfileData profile;
    if (app_.profiles.FindById(profileId, &profile) != 0) return;
    // Without the setting service the switch would raise an elevation
    // prompt: the user is asked first. Through the service it asks for
    // nothing, and never falls back to the prompt.
    const bool ask = RunningSettingServiceProcess() == 0;
    if (ask) {
        asking_ = true;
        const int answer = ShowOrtivoText(
            m_hWnd, FormatMessageText(IDS_AUTO_SWITCH_QUESTION, W(profile.GetText(ProfileText::profileName))),
            MB_ICONQUESTION | MB_YESNO);
        asking_ = false;
        if (answer != IDYES) {
            autoSwitch_.Declined(profile.GetText(ProfileText::macAddress));
            return;
        }
    }
    switchByItself_ = true;
    userAgreed_ = ask;
    StartSwitch(profileId);
    switchByItself_ = userAgreed_ = false;
}

void CTolvik_NetworkDlg::NoteSwitchStarted(const CProfileData& profile) {
    lastAppliedId_ = profile.Record().profileId;
    autoSwitch_.SwitchStarted(profile.GetText(ProfileText::macAddress), switchByItself_, ::GetTickCount64());
}

void CTolvik_NetworkDlg::NoteSwitchEnded() { autoSwitch_.SwitchEnded(::GetTickCount64()); }
