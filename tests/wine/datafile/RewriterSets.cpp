#include "RewriterSets.h"

CProfileCollection RewriterSet(int which) {
    CProfileCollection profiles;
    const int count = which == 0 ? 3 : 5;
    for (int i = 1; i <= count; ++i) {
        CProfileData profile;
        const std::u16string name = (which == 0 ? u"Old " : u"New ") + std::u16string(1, static_cast<char16_t>(u'0' + i));
        profile.SetText(ProfileText::profileName, name);
        profile.SetText(ProfileText::connectionName, u"LAN");
        profiles.Add(profile);
    }
    return profiles;
}

std::vector<std::u16string> NamesIn(const CProfileCollection& profiles) {
    std::vector<std::u16string> names;
    CProfileData profile;
    for (int i = 0; profiles.GetByPosition(i, &profile) == 0; ++i)
        names.push_back(profile.GetText(ProfileText::profileName));
    return names;
}
