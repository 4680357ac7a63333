// Small single owners for the handles the window code holds, so that it never
// calls DeleteObject or CoUninitialize itself.
#pragma once

#include <windows.h>
#include <objbase.h>

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
  void Reset(Handle h = NULL) {
    if (handle) DeleteObject(handle);
    handle = h;
  }

 private:
  Handle handle = NULL;
};

using GdiBrush = GdiObject<HBRUSH>;
