#pragma once
// The handle owner for memory that a COM call allocated for the caller
// (CoTaskMemAlloc), such as a text it hands out.
#include <windows.h>
#include <objbase.h>

#include "framework/win/UniqueHandle.h"

template <class T>
struct TaskMemoryTraits {
    using Type = T*;
    static Type Empty() { return nullptr; }
    static bool Close(Type memory) {
        CoTaskMemFree(memory);
        return true;
    }
};

template <class T>
using CTaskMemory = CUniqueHandle<TaskMemoryTraits<T>>;
