#include "mainwindow/ProfileNumber.h"

int32_t ProfileIdAtNumber(const CProfileCollection& profiles, int number) {
    CProfileData profile;
    if (number < 1 || profiles.GetByPosition(number - 1, &profile) != 0) return -1;
    return profile.Record().profileId;
}
