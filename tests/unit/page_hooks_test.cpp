// The page hooks a web server's script host calls, and the object-safety options a container
// sets: what the FileManager keeps, and for how long.
#include "counting_dispatch.h"
#include "support/test_support.h"

#include <asptlb.h>
#include <gtest/gtest.h>

__CRT_UUID_DECL(IScriptingContext, 0xD97A6DA0, 0xA868, 0x11CF, 0x83, 0xAE, 0x00, 0xB0, 0xC9, 0x0C, 0x2B, 0xD8)

namespace docket::test {
namespace {

// A scripting context whose Response read can be made to fail; it notes the order of reads.
struct FakeContext : TestObject<IScriptingContext> {
  bool gone[3] = {};
  CountingDispatch* objects[3] = {CountingDispatch::New(&gone[0]), CountingDispatch::New(&gone[1]),
                                  CountingDispatch::New(&gone[2])};  // Request, Response, Server
  HRESULT responseResult = S_OK;
  std::wstring reads;

  ~FakeContext() override {
    for (CountingDispatch* object : objects) object->Release();
  }
  LONG PageObjectRefs() const { return objects[0]->refs() + objects[1]->refs() + objects[2]->refs(); }

  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  template <class T>
  HRESULT Hand(int which, T** out, wchar_t tag, HRESULT result = S_OK) {
    reads += FAILED(result) ? L'!' : tag;
    if (FAILED(result)) return result;
    objects[which]->AddRef();
    *out = reinterpret_cast<T*>(static_cast<IDispatch*>(objects[which]));
    return S_OK;
  }
  STDMETHODIMP get_Request(IRequest** out) override { return Hand(0, out, L'Q'); }
  STDMETHODIMP get_Response(IResponse** out) override { return Hand(1, out, L'P', responseResult); }
  STDMETHODIMP get_Server(IServer** out) override { return Hand(2, out, L'S'); }
  STDMETHODIMP get_Session(ISessionObject**) override { return E_NOTIMPL; }
  STDMETHODIMP get_Application(IApplicationObject**) override { return E_NOTIMPL; }
};

TEST(PageHooks, StartKeepsTheThreePageObjectsUntilTheEndOrTheLastRelease) {
  ComPtr<FakeContext> context = ComPtr<FakeContext>::Attach(new FakeContext);
  ComPtr<IFileManager> manager = NewManager();
  ASSERT_EQ(manager->OnStartPage(context.get()), S_OK);
  EXPECT_EQ(context->reads, L"QPS") << "Request, Response, Server, in this order";
  EXPECT_EQ(context->refs(), 1) << "the context itself is not kept";
  EXPECT_EQ(context->PageObjectRefs(), 6);
  ASSERT_EQ(manager->OnStartPage(context.get()), S_OK) << "a second start replaces the objects";
  EXPECT_EQ(context->PageObjectRefs(), 6);
  EXPECT_EQ(manager->OnEndPage(), S_OK);
  EXPECT_EQ(context->PageObjectRefs(), 3);
  EXPECT_EQ(manager->OnEndPage(), S_OK) << "ending twice is harmless";

  ASSERT_EQ(manager->OnStartPage(context.get()), S_OK);
  manager.reset();
  EXPECT_EQ(context->PageObjectRefs(), 3) << "the last release drops them";
}

TEST(PageHooks, AFailedReadOrAWrongContextIsRefusedAndNothingKept) {
  ComPtr<FakeContext> context = ComPtr<FakeContext>::Attach(new FakeContext);
  context->responseResult = E_UNEXPECTED;
  EXPECT_EQ(NewManager()->OnStartPage(context.get()), E_UNEXPECTED);
  EXPECT_EQ(context->reads, L"Q!") << "stops at the first failure";
  EXPECT_EQ(context->PageObjectRefs(), 3);
  EXPECT_EQ(context->refs(), 1);

  ComPtr<IFileManager> manager = NewManager();
  EXPECT_EQ(manager->OnStartPage(nullptr), E_POINTER);
  bool gone = false;
  CountingDispatch* notAContext = CountingDispatch::New(&gone);
  EXPECT_EQ(manager->OnStartPage(notAContext), E_NOINTERFACE);
  EXPECT_EQ(notAContext->Release(), 0u);
}

TEST(ObjectSafety, OptionsAreKeptPerMaskAndOnlyForAnsweredInterfaces) {
  ComPtr<IObjectSafety> safety;
  ASSERT_EQ(NewManager().As(&safety), S_OK);
  DWORD supported = 7, enabled = 7;
  ASSERT_EQ(safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled), S_OK);
  EXPECT_EQ(supported, DWORD{INTERFACESAFE_FOR_UNTRUSTED_CALLER});
  EXPECT_EQ(enabled, 0u);
  for (DWORD set : {1, 0}) {  // mask 1 with nothing enabled clears the option
    EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IDispatch, 1, set), S_OK);
    safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled);
    EXPECT_EQ(enabled, set);
  }
  EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IDispatch, 2, 2), E_FAIL);
  EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IClassFactory, 1, 1), E_NOINTERFACE);
  supported = enabled = 7;
  EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IClassFactory, &supported, &enabled), E_NOINTERFACE);
  EXPECT_EQ(supported + enabled, 0u);
  EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IDispatch, nullptr, &enabled), E_POINTER);
}

}  // namespace
}  // namespace docket::test
