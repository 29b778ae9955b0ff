#pragma once
#include <windows.h>

#include "framework/Object.h"

// Converts sizes designed for 96 DPI into sizes for the screen's DPI. The
// screen's values are read once, on first use; without a screen DC both
// stay 96.
class CDPIMgr : public CObject {
public:
    int ScaleX(int n);
    int ScaleY(int n);
    int ScaleXPercent(int n);  // n × ScaleX(100) / 100
    int ScaleYPercent(int n);  // n × ScaleY(100) / 100

    int dpiX = 96;
    int dpiY = 96;
    bool dpiRead = false;

private:
    void ReadOnce();
};
