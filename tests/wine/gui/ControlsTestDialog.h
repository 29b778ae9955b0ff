#pragma once
// A dialog with one of each custom control, for the GUI tests.
#include <windows.h>

#include <memory>

#include "controls/win/CustomEdit.h"
#include "controls/win/CustomEdit_DropFile.h"
#include "controls/win/CustomIconListCtrl.h"
#include "controls/win/CustomProfileListCtrl.h"
#include "framework/win/Dialog.h"
#include "profile/ProfileCollection.h"
#include "tests/wine/gui/GuiTestResource.h"

// The profile list, counting its row measurements and making rows a few
// pixels higher, so a test sees that the measured height is the one used.
class MeasuringProfileList : public CCustomProfileListCtrl {
public:
    static constexpr int kExtraHeight = 4;
    using CCustomProfileListCtrl::CCustomProfileListCtrl;
    void MeasureItem(MEASUREITEMSTRUCT* measure) override {
        CCustomProfileListCtrl::MeasureItem(measure);
        measure->itemHeight += kExtraHeight;
        ++measured;
    }
    int measured = 0;
};

class ControlsTestDialog : public CDialog {
public:
    static constexpr LPARAM kMissingProfileId = 99;

    // Rows: the collection's profiles in order, then one row whose
    // profileId is not in the collection.
    explicit ControlsTestDialog(const CProfileCollection& profiles);
    ~ControlsTestDialog() override;

    BOOL OnInitDialog() override;

    CCustomEdit port;
    CCustomEdit server;
    CCustomEdit_DropFile drop;
    std::unique_ptr<CCustomIconListCtrl> icons;
    MeasuringProfileList profileList;

private:
    void FillIcons();
    void FillProfiles();

    const CProfileCollection& profiles_;
    HIMAGELIST iconImages_ = nullptr;
    HIMAGELIST rowHeightImages_ = nullptr;
    HFONT listFont_ = nullptr;
};
