#pragma once
// Scoped owners of Windows resources: each releases what it holds exactly once, when it goes
// out of scope, on every path out (errors and exceptions included). They move; they do not
// copy.

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <utility>

// A handle freed by `Free::Close`. None is null, or `Free::None()` where the platform uses
// another value (INVALID_HANDLE_VALUE).
template <class Handle, class Free>
class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ~ScopedHandle() { Reset(); }
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        Reset(other.Release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != None(); }
    // For the functions that hand out a new handle through a pointer argument.
    Handle* OutPointer() {
        Reset();
        return &handle_;
    }
    void Reset() { Reset(None()); }
    void Reset(Handle handle) {
        if (handle_ != None() && handle_ != handle)
            Free::Close(handle_);
        handle_ = handle;
    }
    Handle Release() { return std::exchange(handle_, None()); }

private:
    static Handle None() {
        if constexpr (requires { Free::None(); })
            return Free::None();
        else
            return nullptr;
    }
    Handle handle_ = None();
};

struct RegistryKeyFree {
    static void Close(HKEY key) { RegCloseKey(key); }
};
struct GdiObjectFree {
    static void Close(HGDIOBJ object) { DeleteObject(object); }
};
struct CreatedDcFree {
    static void Close(HDC dc) { DeleteDC(dc); }
};

struct FindFree {
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE search) { FindClose(search); }
};
struct LocalMemoryFree {
    static void Close(void* memory) { LocalFree(memory); }
};
struct ItemIdListFree {
    // The shell's own release, which needs no COM.
    static void Close(LPITEMIDLIST list) { ILFree(list); }
};

struct KernelObjectFree {
    static void Close(HANDLE object) { CloseHandle(object); }
};
struct MenuFree {
    static void Close(HMENU menu) { DestroyMenu(menu); }
};
struct IconFree {
    static void Close(HICON icon) { DestroyIcon(icon); }
};

using RegistryKey = ScopedHandle<HKEY, RegistryKeyFree>;
// A kernel object (a mutex, an event) from a Create function that returns null on failure.
using KernelObject = ScopedHandle<HANDLE, KernelObjectFree>;
// A menu from CreatePopupMenu that no window owns.
using PopupMenu = ScopedHandle<HMENU, MenuFree>;
// An icon from LoadImage that is not shared (no LR_SHARED).
using OwnedIcon = ScopedHandle<HICON, IconFree>;
// A search from FindFirstFile.
using FindHandle = ScopedHandle<HANDLE, FindFree>;
// Memory the system allocated for the caller with LocalAlloc (FormatMessage's buffer).
template <class Pointer>
using LocalMemory = ScopedHandle<Pointer, LocalMemoryFree>;
// An item identifier list the shell allocated for the caller.
using ItemIdList = ScopedHandle<LPITEMIDLIST, ItemIdListFree>;
// A pen, brush, font or bitmap; it must no longer be selected into a DC when this ends.
template <class Object>
using GdiObject = ScopedHandle<Object, GdiObjectFree>;
// A DC from CreateDC or CreateCompatibleDC, deleted with DeleteDC.
using CreatedDC = ScopedHandle<HDC, CreatedDcFree>;

// A file handle from CreateFile, closed on every way out. Close() reports the close's own
// failure, which for a written file can be the write's.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        if (!valid())
            return true;
        const BOOL ok = CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
        return ok != FALSE;
    }
    void reset(HANDLE handle) {
        Close();
        handle_ = handle;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// A window's DC from GetDC (or the screen's, for a null window), given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// The DC of a WM_PAINT: BeginPaint on construction, EndPaint when the scope ends, also when
// the painting throws.
class PaintingDC {
public:
    explicit PaintingDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintingDC() { EndPaint(window_, &paint_); }
    PaintingDC(const PaintingDC&) = delete;
    PaintingDC& operator=(const PaintingDC&) = delete;

    HDC get() const { return dc_; }
    // The part of the window to paint.
    const RECT& Area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a DC and puts the one it replaced back when the scope ends.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A COM interface pointer, released once.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For CoCreateInstance and QueryInterface, which hand out the interface through a void**.
    void** OutPointer() {
        Reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    void Reset() {
        if (pointer_)
            std::exchange(pointer_, nullptr)->Release();
    }

private:
    Interface* pointer_ = nullptr;
};
