// A COM object for one WebView2 handler interface whose Invoke forwards to a
// callable. The host keeps no raw pointers to it: the runtime holds it by
// reference count and the host by ComPtr.
//
// The object starts with no reference and the ComPtr that Make returns takes the
// first one. (Attaching an object born with one reference leaks it with
// mingw-w64's ComPtr, whose Attach adds a reference where Microsoft's takes it
// over; constructing from the pointer adds exactly one under both.)
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <new>
#include <utility>

#include "framework/Owners_win.h"

// How many handler objects of any interface are alive (tests check that none
// outlives its host).
inline std::atomic<long>& ComHandlersAlive() {
  static std::atomic<long> alive{0};
  return alive;
}

template <class Interface, class... Args>
class CComHandler final : public Interface {
 public:
  using Function = std::function<HRESULT(Args...)>;

  static ComPtr<Interface> Make(const IID& iid, Function function) {
    return ComPtr<Interface>(new (std::nothrow) CComHandler(iid, std::move(function)));
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, m_iid)) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --m_refs;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE Invoke(Args... args) override { return m_function(args...); }

 private:
  CComHandler(const IID& iid, Function function) : m_iid(iid), m_function(std::move(function)) {
    ++ComHandlersAlive();
  }
  ~CComHandler() { --ComHandlersAlive(); }

  const IID m_iid;
  Function m_function;
  std::atomic<ULONG> m_refs{0};
};
