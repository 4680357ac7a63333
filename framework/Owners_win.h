// Small single owners, one per handle kind the program holds, so that no other
// file calls DeleteObject, DeleteDC, ReleaseDC, CloseHandle, FindClose,
// RegCloseKey, GlobalFree, CoTaskMemFree or CoUninitialize itself.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <wrl/client.h>

// COM pointers are held in ComPtr everywhere. Do not use ComPtr::Attach: mingw's
// adds a reference where Microsoft's takes one over, so the same code leaks on one.
using Microsoft::WRL::ComPtr;

// QueryInterface into an owner by an explicit interface id. ComPtr::As needs
// __uuidof, which mingw's headers do not declare for every DirectShow interface.
template <class T>
HRESULT QueryInto(IUnknown* from, REFIID iid, ComPtr<T>& into) {
  into.Reset();
  if (from == nullptr) return E_POINTER;
  return from->QueryInterface(iid, reinterpret_cast<void**>(into.GetAddressOf()));
}

// COM on the calling thread (single-threaded apartment) for the owner's lifetime.
class ComApartment {
 public:
  ComApartment() : hr(CoInitialize(NULL)) {}
  ~ComApartment() {
    if (SUCCEEDED(hr)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  HRESULT Result() const { return hr; }

 private:
  HRESULT hr;
};

// One GDI object (brush, pen, font, bitmap), deleted with its owner.
template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle h) : handle(h) {}
  ~GdiObject() { Reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : handle(other.handle) { other.handle = NULL; }
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset(other.handle);
      other.handle = NULL;
    }
    return *this;
  }

  Handle Get() const { return handle; }
  // Gives the object up without deleting it.
  Handle Release() {
    Handle h = handle;
    handle = NULL;
    return h;
  }
  void Reset(Handle h = NULL) {
    if (handle) DeleteObject(handle);
    handle = h;
  }

 private:
  Handle handle = NULL;
};

using GdiBrush = GdiObject<HBRUSH>;

using GdiPen = GdiObject<HPEN>;
using GdiFont = GdiObject<HFONT>;
using GdiBitmap = GdiObject<HBITMAP>;
using GdiRegion = GdiObject<HRGN>;

// Adds a rectangle to a region that may not exist yet.
inline void AddToRegion(GdiRegion& region, const RECT& r) {
  if (region.Get() == NULL) {
    region.Reset(CreateRectRgnIndirect(&r));
    return;
  }
  GdiRegion part(CreateRectRgnIndirect(&r));
  if (part.Get() != NULL) CombineRgn(region.Get(), region.Get(), part.Get(), RGN_OR);
}

// A window's device context from GetDC, released with its owner.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : wnd(hwnd), dc(GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc) ReleaseDC(wnd, dc);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc; }

 private:
  HWND wnd;
  HDC dc;
};

// BeginPaint / EndPaint around a WM_PAINT handler.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : wnd(hwnd) { dc = BeginPaint(hwnd, &ps); }
  ~PaintDc() { EndPaint(wnd, &ps); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC Get() const { return dc; }
  const RECT& Area() const { return ps.rcPaint; }

 private:
  HWND wnd;
  PAINTSTRUCT ps{};
  HDC dc = NULL;
};

// A device context from CreateCompatibleDC, deleted with its owner.
class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
  ~MemoryDc() {
    if (dc) DeleteDC(dc);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Get() const { return dc; }

 private:
  HDC dc;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class SelectedObject {
 public:
  SelectedObject(HDC hdc, HGDIOBJ object) : dc(hdc), previous(SelectObject(hdc, object)) {}
  ~SelectedObject() {
    if (previous && previous != HGDI_ERROR) SelectObject(dc, previous);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc;
  HGDIOBJ previous;
};

// A memory DC with a bitmap of its own selected into it, both deleted with
// their owner: a picture kept off screen between paints.
class BitmapDc {
 public:
  BitmapDc(HDC like, int width, int height)
      : dc(like), bitmap(CreateCompatibleBitmap(like, width, height)) {
    if (dc.Get() != NULL && bitmap.Get() != NULL) previous = SelectObject(dc.Get(), bitmap.Get());
  }
  ~BitmapDc() {
    if (Valid()) SelectObject(dc.Get(), previous);
  }
  BitmapDc(const BitmapDc&) = delete;
  BitmapDc& operator=(const BitmapDc&) = delete;
  bool Valid() const { return previous != NULL && previous != HGDI_ERROR; }
  HDC Get() const { return dc.Get(); }

 private:
  MemoryDc dc;
  GdiBitmap bitmap;
  HGDIOBJ previous = NULL;
};

// A kernel handle (file, thread, event), closed with its owner.
class KernelHandle {
 public:
  KernelHandle() = default;
  explicit KernelHandle(HANDLE h) : handle(h) {}
  ~KernelHandle() { Reset(); }
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;
  HANDLE Get() const { return handle; }
  bool Valid() const { return handle != NULL && handle != INVALID_HANDLE_VALUE; }
  void Reset(HANDLE h = NULL) {
    if (Valid()) CloseHandle(handle);
    handle = h;
  }

 private:
  HANDLE handle = NULL;
};

// A module from LoadLibrary, freed with its owner.
class LoadedModule {
 public:
  explicit LoadedModule(HMODULE m = NULL) : module(m) {}
  ~LoadedModule() {
    if (module) FreeLibrary(module);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  HMODULE Get() const { return module; }

 private:
  HMODULE module;
};

// A search of FindFirstFileA, closed with its owner.
class FindHandle {
 public:
  FindHandle(const char* pattern, WIN32_FIND_DATAA& data)
      : handle(FindFirstFileA(pattern, &data)) {}
  ~FindHandle() {
    if (Valid()) FindClose(handle);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool Valid() const { return handle != INVALID_HANDLE_VALUE; }
  bool Next(WIN32_FIND_DATAA& data) { return FindNextFileA(handle, &data) != FALSE; }

 private:
  HANDLE handle;
};

// A registry key opened for reading, closed with its owner; Get() is NULL when
// the key could not be opened.
class RegistryKey {
 public:
  RegistryKey(HKEY root, const char* path) {
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) key = NULL;
  }
  ~RegistryKey() {
    if (key) RegCloseKey(key);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  HKEY Get() const { return key; }

 private:
  HKEY key = NULL;
};

// A movable block of global memory (GlobalAlloc), freed with its owner unless
// it has been handed on to something that frees it itself (a stream over it).
class GlobalBlock {
 public:
  explicit GlobalBlock(SIZE_T size) : block(GlobalAlloc(GMEM_MOVEABLE, size)), bytes(size) {}
  ~GlobalBlock() {
    if (block) GlobalFree(block);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  HGLOBAL Get() const { return block; }
  // Copies `size` bytes (at most the block's) to its start; false when the
  // block could not be had or locked.
  bool Fill(const void* from, SIZE_T size) {
    void* to = block ? GlobalLock(block) : nullptr;
    if (to == nullptr) return false;
    CopyMemory(to, from, size < bytes ? size : bytes);
    GlobalUnlock(block);
    return true;
  }
  // The new owner frees it.
  HGLOBAL Release() {
    HGLOBAL b = block;
    block = NULL;
    return b;
  }

 private:
  HGLOBAL block;
  SIZE_T bytes;
};

// Memory from the task allocator (a text the WebView2 runtime returns, an item
// list of the shell's folder dialog), freed with CoTaskMemFree.
template <class T>
class CoTaskMem {
 public:
  explicit CoTaskMem(T* p = nullptr) : pointer(p) {}
  ~CoTaskMem() { CoTaskMemFree(pointer); }
  CoTaskMem(const CoTaskMem&) = delete;
  CoTaskMem& operator=(const CoTaskMem&) = delete;
  T* Get() const { return pointer; }
  // For calls that hand out a new allocation.
  T** Out() {
    CoTaskMemFree(pointer);
    pointer = nullptr;
    return &pointer;
  }

 private:
  T* pointer;
};
