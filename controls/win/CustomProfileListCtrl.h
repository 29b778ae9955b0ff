#pragma once
#include <cstdint>

#include "framework/win/ListCtrl.h"

class CProfileCollection;

// The owner-drawn profile list: each row carries a profileId as its item
// data; icon and name are looked up in the collection at every paint. The
// selected row is filled with the menu highlight colour and framed in red.
// Rows are as high as the proposed height scaled by the screen's DPI.
class CCustomProfileListCtrl : public CListCtrl {
public:
    CCustomProfileListCtrl() = default;
    // The collection the rows are drawn from (not owned).
    explicit CCustomProfileListCtrl(const CProfileCollection& profiles) : profiles_(&profiles) {}
    void SetProfiles(const CProfileCollection* profiles) { profiles_ = profiles; }
    // Marks the row of the profile in force ("適用中" at its right end, and
    // its state image 1, which accessibility tools and tests read); 0 marks
    // none. Only the rows whose mark changes are drawn again.
    void MarkInForce(int32_t profileId);
    static bool IsMarked(UINT state) { return (state & LVIS_STATEIMAGEMASK) == kInForceState; }

    void DrawItem(DRAWITEMSTRUCT* draw) override;
    virtual void MeasureItem(MEASUREITEMSTRUCT* measure);

    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    static constexpr UINT kInForceState = INDEXTOSTATEIMAGEMASK(1);

    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);

    const CProfileCollection* profiles_ = nullptr;
};
