// A COM object for one WebView2 handler interface whose Invoke forwards to a
// callable. The host keeps no raw pointers to it: the runtime holds it by
// reference count and the host by ComPtr.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <new>
#include <utility>

#include "framework/Owners_win.h"

template <class Interface, class... Args>
class CComHandler final : public Interface {
 public:
  using Function = std::function<HRESULT(Args...)>;

  static ComPtr<Interface> Make(const IID& iid, Function function) {
    ComPtr<Interface> handler;
    handler.Attach(new (std::nothrow) CComHandler(iid, std::move(function)));
    return handler;
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
  CComHandler(const IID& iid, Function function) : m_iid(iid), m_function(std::move(function)) {}
  ~CComHandler() = default;

  const IID m_iid;
  Function m_function;
  std::atomic<ULONG> m_refs{1};
};
