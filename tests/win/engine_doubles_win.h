// Stand-ins put into the engine's interface members by the tests: a run control
// that counts the calls it passes on to the real graph (or refuses them), and a frame step that
// succeeds without doing anything.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <utility>

#include "framework/Owners_win.h"

// Reference counting and QueryInterface for a single-interface test object.
template <class Interface>
class TestComObject : public Interface {
 public:
  explicit TestComObject(REFIID own) : iid(own) {}
  virtual ~TestComObject() = default;

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (riid != IID_IUnknown && riid != iid && !IsExtraInterface(riid)) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = this;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references); }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = InterlockedDecrement(&references);
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual bool IsExtraInterface(REFIID) const { return false; }

 private:
  IID iid;
  LONG references = 1;
};

class CountingMediaControl : public TestComObject<IMediaControl> {
 public:
  explicit CountingMediaControl(ComPtr<IMediaControl> real)
      : TestComObject(IID_IMediaControl), inner(std::move(real)) {}

  int runs = 0, pauses = 0, stops = 0;
  // When set, Run, Pause and Stop answer it without passing the call on.
  HRESULT refusal = S_OK;

  STDMETHODIMP Run() override {
    ++runs;
    return FAILED(refusal) ? refusal : inner->Run();
  }
  STDMETHODIMP Pause() override {
    ++pauses;
    return FAILED(refusal) ? refusal : inner->Pause();
  }
  STDMETHODIMP Stop() override {
    ++stops;
    return FAILED(refusal) ? refusal : inner->Stop();
  }
  STDMETHODIMP GetState(LONG timeout, OAFilterState* state) override {
    return inner->GetState(timeout, state);
  }
  STDMETHODIMP StopWhenReady() override { return inner->StopWhenReady(); }
  STDMETHODIMP RenderFile(BSTR name) override { return inner->RenderFile(name); }
  STDMETHODIMP AddSourceFilter(BSTR name, IDispatch** filter) override {
    return inner->AddSourceFilter(name, filter);
  }
  STDMETHODIMP get_FilterCollection(IDispatch** out) override {
    return inner->get_FilterCollection(out);
  }
  STDMETHODIMP get_RegFilterCollection(IDispatch** out) override {
    return inner->get_RegFilterCollection(out);
  }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override { return inner->GetTypeInfoCount(count); }
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
    return inner->GetTypeInfo(index, lcid, info);
  }
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                             DISPID* ids) override {
    return inner->GetIDsOfNames(riid, names, count, lcid, ids);
  }
  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* error, UINT* argError) override {
    return inner->Invoke(id, riid, lcid, flags, params, result, error, argError);
  }

 protected:
  bool IsExtraInterface(REFIID riid) const override { return riid == IID_IDispatch; }

 private:
  ComPtr<IMediaControl> inner;
};

class SucceedingFrameStep : public TestComObject<IVideoFrameStep> {
 public:
  SucceedingFrameStep() : TestComObject(IID_IVideoFrameStep) {}
  int steps = 0;

  STDMETHODIMP Step(DWORD, IUnknown*) override {
    ++steps;
    return S_OK;
  }
  STDMETHODIMP CanStep(LONG, IUnknown*) override { return S_OK; }
  STDMETHODIMP CancelStep() override { return S_OK; }
};

// Puts a new test object into `slot` (which takes the only reference) and
// returns it for counting.
template <class Object, class Interface, class... Args>
Object* Install(ComPtr<Interface>& slot, Args&&... args) {
  Object* object = new Object(std::forward<Args>(args)...);
  slot = object;      // the slot's own reference
  object->Release();  // ours: the slot now holds the only one
  return object;
}
