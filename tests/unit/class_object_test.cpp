// The module's class objects: lookup, caching, aggregation rules and unload counting. (That every
// class creates and reports errors through dispatch is the argument sweep's and the smoke test's.)
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <thread>

namespace docket::test {
namespace {

const LoadedModule& Module() { return LoadedModule::Default(); }

TEST(ClassObject, UnknownAndInternalOnlyClassesAreNotAvailable) {
  static const CLSID kUnknown = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
  for (const CLSID* clsid : {&kUnknown, &CLSID_PermItem}) {
    void* out = &out;
    EXPECT_EQ(Module().GetClassObject(*clsid, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr) << "the out pointer is cleared first";
  }
  EXPECT_EQ(Module().GetClassObject(CLSID_FileManager, IID_IClassFactory, nullptr), E_POINTER);
}

TEST(ClassObject, TwoThreadsGetTheSameCachedObject) {
  // Each test runs in a process of its own: no earlier request has created the class object.
  ComPtr<IClassFactory> seen[2];
  std::thread threads[2];
  for (int i = 0; i < 2; ++i)
    threads[i] = std::thread(
        [&, i] { Module().GetClassObject(CLSID_Dictionary, IID_IClassFactory, seen[i].put_void()); });
  for (auto& t : threads) t.join();
  ASSERT_TRUE(seen[0]);
  EXPECT_EQ(seen[0].get(), seen[1].get());
}

TEST(ClassObject, UnloadCountingFollowsObjectsLocksAndHeldClassObjects) {
  EXPECT_EQ(Module().CanUnloadNow(), S_OK);
  ComPtr<IFileManager> manager = NewManager();
  EXPECT_EQ(Module().CanUnloadNow(), S_FALSE);
  manager.reset();
  EXPECT_EQ(Module().CanUnloadNow(), S_OK);

  ComPtr<IClassFactory> factory;
  ASSERT_EQ(Module().GetClassObject(CLSID_FileManager, IID_IClassFactory, factory.put_void()), S_OK);
  EXPECT_EQ(Module().CanUnloadNow(), S_FALSE) << "a held class object counts";
  factory->LockServer(TRUE);
  factory.reset();
  EXPECT_EQ(Module().CanUnloadNow(), S_FALSE) << "a server lock alone counts";
  ASSERT_EQ(Module().GetClassObject(CLSID_FileManager, IID_IClassFactory, factory.put_void()), S_OK);
  factory->LockServer(FALSE);
  factory.reset();
  EXPECT_EQ(Module().CanUnloadNow(), S_OK);
}

// An outer object that counts its own references, to see where the inner object's AddRefs go.
struct Outer : IUnknown {
  STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override {
    if (!::IsEqualIID(iid, IID_IUnknown)) return inner ? inner->QueryInterface(iid, ppv) : E_NOINTERFACE;
    *ppv = this;
    return AddRef(), S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  ULONG refs = 1;
  IUnknown* inner = nullptr;
};

TEST(ClassObject, AggregationOnlyThroughTheInnerUnknown) {
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(Module().GetClassObject(CLSID_FileManager, IID_IClassFactory, factory.put_void()), S_OK);
  Outer outer;
  void* out = &out;
  EXPECT_EQ(factory->CreateInstance(&outer, IID_IDispatch, &out), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(out, nullptr);

  ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)), S_OK);
  IFileManager* manager = nullptr;
  ASSERT_EQ(outer.inner->QueryInterface(IID_IFileManager, reinterpret_cast<void**>(&manager)), S_OK);
  EXPECT_EQ(outer.refs, 2u) << "an interface of the inner object counts on the outer one";
  IUnknown* identity = nullptr;
  manager->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
  EXPECT_EQ(identity, static_cast<IUnknown*>(&outer)) << "the outer object is the identity";
  identity->Release();
  manager->Release();
  EXPECT_EQ(outer.refs, 1u);
  outer.inner->Release();
  factory.reset();
  EXPECT_EQ(Module().CanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace docket::test
