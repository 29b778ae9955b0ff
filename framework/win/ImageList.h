#pragma once
// The handle owner for image lists that no control has been given to
// destroy.
#include <windows.h>
#include <commctrl.h>

#include "framework/win/UniqueHandle.h"

struct ImageListTraits {
    using Type = HIMAGELIST;
    static Type Empty() { return nullptr; }
    static bool Close(Type list) { return ImageList_Destroy(list) != FALSE; }
};

using CImageList = CUniqueHandle<ImageListTraits>;
