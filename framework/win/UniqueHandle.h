#pragma once
// Owns one handle of a kind and gives it back when it goes out of scope.
// A traits type per kind names the handle's type, its empty value and how
// it is given back (true when the system reports no failure).
#include <windows.h>
#include <winsvc.h>

template <class Traits>
class CUniqueHandle {
public:
    using Type = typename Traits::Type;

    CUniqueHandle() = default;
    explicit CUniqueHandle(Type handle) : handle_(handle) {}
    ~CUniqueHandle() { Reset(); }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;

    bool Valid() const { return handle_ != Traits::Empty(); }
    Type Get() const { return handle_; }
    // Gives back the handle held now; false when the system reports a
    // failure. Nothing is held afterwards either way.
    bool Close() {
        const bool closed = !Valid() || Traits::Close(handle_);
        handle_ = Traits::Empty();
        return closed;
    }
    // Gives back the handle held and takes `handle` instead.
    void Reset(Type handle = Traits::Empty()) {
        Close();
        handle_ = handle;
    }
    // Hands the handle over to the caller, who gives it back from then on.
    Type Release() {
        const Type handle = handle_;
        handle_ = Traits::Empty();
        return handle;
    }
    // For a call that hands out a new handle through a pointer.
    Type* Receive() {
        Reset();
        return &handle_;
    }

private:
    Type handle_ = Traits::Empty();
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Empty() { return nullptr; }
    static bool Close(Type handle) { return CloseHandle(handle) != FALSE; }
};

// A file opened by CreateFileW, which says INVALID_HANDLE_VALUE for none.
struct FileHandleTraits {
    using Type = HANDLE;
    static Type Empty() { return INVALID_HANDLE_VALUE; }
    static bool Close(Type handle) { return CloseHandle(handle) != FALSE; }
};

// A search begun by FindFirstFileW.
struct FindHandleTraits {
    using Type = HANDLE;
    static Type Empty() { return INVALID_HANDLE_VALUE; }
    static bool Close(Type handle) { return FindClose(handle) != FALSE; }
};

// An open registry key.
struct RegKeyTraits {
    using Type = HKEY;
    static Type Empty() { return nullptr; }
    static bool Close(Type key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};

// A view of a file mapping, made by MapViewOfFile.
struct MappedViewTraits {
    using Type = void*;
    static Type Empty() { return nullptr; }
    static bool Close(Type view) { return UnmapViewOfFile(view) != FALSE; }
};

// The screen's device context, from GetDC(nullptr).
struct ScreenDcTraits {
    using Type = HDC;
    static Type Empty() { return nullptr; }
    static bool Close(Type dc) { return ReleaseDC(nullptr, dc) == 1; }
};

// A pen, brush, font or other GDI object of type `T` that the caller made.
// It is given back only once no device context has it selected.
template <class T>
struct GdiObjectTraits {
    using Type = T;
    static Type Empty() { return nullptr; }
    static bool Close(Type object) { return DeleteObject(object) != FALSE; }
};

// An icon the caller loaded or made (not one loaded shared).
struct IconTraits {
    using Type = HICON;
    static Type Empty() { return nullptr; }
    static bool Close(Type icon) { return DestroyIcon(icon) != FALSE; }
};

// Memory that the system allocated with LocalAlloc for the caller.
struct LocalMemoryTraits {
    using Type = HLOCAL;
    static Type Empty() { return nullptr; }
    static bool Close(Type memory) { return LocalFree(memory) == nullptr; }
};

// The service control manager or one service, opened by OpenSCManagerW,
// OpenServiceW or CreateServiceW.
struct ServiceHandleTraits {
    using Type = SC_HANDLE;
    static Type Empty() { return nullptr; }
    static bool Close(Type handle) { return CloseServiceHandle(handle) != FALSE; }
};

// An event source of the event log, from RegisterEventSourceW.
struct EventSourceTraits {
    using Type = HANDLE;
    static Type Empty() { return nullptr; }
    static bool Close(Type source) { return DeregisterEventSource(source) != FALSE; }
};

using CKernelHandle = CUniqueHandle<KernelHandleTraits>;
using CFileHandle = CUniqueHandle<FileHandleTraits>;
using CFindHandle = CUniqueHandle<FindHandleTraits>;
using CRegKey = CUniqueHandle<RegKeyTraits>;
using CMappedView = CUniqueHandle<MappedViewTraits>;
using CScreenDc = CUniqueHandle<ScreenDcTraits>;
template <class T>
using CGdiObject = CUniqueHandle<GdiObjectTraits<T>>;
using CIcon = CUniqueHandle<IconTraits>;
using CLocalMemory = CUniqueHandle<LocalMemoryTraits>;
using CServiceHandle = CUniqueHandle<ServiceHandleTraits>;
using CEventSource = CUniqueHandle<EventSourceTraits>;
