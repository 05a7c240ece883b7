// The dictionary's enumerator: Next, Skip, Reset and Clone, its own copy of the items, and how a
// script engine reaches it.
#include "counting_dispatch.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace docket::test {
namespace {

ComPtr<IDictionary> DictionaryOf(std::initializer_list<const wchar_t*> keys) {
  ComPtr<IDictionary> d;
  EXPECT_EQ(LoadedModule::Default().Create(CLSID_Dictionary, d.put()), S_OK);
  for (const wchar_t* key : keys) {
    Variant k, item;
    *k.get() = VBstr(key);
    *item.get() = VBstr(key);  // each item is its own key, to see the order
    EXPECT_EQ(d->Add(k.get(), item.get()), S_OK);
  }
  return d;
}

ComPtr<IEnumVARIANT> EnumeratorOf(IDictionary* d) {
  ComPtr<IUnknown> unknown;
  EXPECT_EQ(d->get__NewEnum(unknown.put()), S_OK);
  ComPtr<IEnumVARIANT> enumerator;
  EXPECT_EQ(unknown.As(&enumerator), S_OK);
  return enumerator;
}

// Next(count); the texts it gave, joined by "|", and its result.
struct Fetch {
  HRESULT hr;
  ULONG fetched;
  std::wstring texts;
};
Fetch NextTexts(IEnumVARIANT* e, ULONG count) {
  std::vector<VARIANT> items(count + 1);
  for (VARIANT& v : items) V_VT(&v) = 0xBEEF;  // garbage, as an output array may hold
  Fetch f{E_FAIL, 12345, L""};
  f.hr = e->Next(count, items.data(), &f.fetched);
  for (ULONG i = 0; i < f.fetched && i < count; ++i) {
    f.texts += (i ? L"|" : L"") + std::wstring(com::View(V_BSTR(&items[i])));
    ::VariantClear(&items[i]);
  }
  EXPECT_EQ(V_VT(&items[count]), 0xBEEF) << "nothing is written past the count";
  return f;
}

TEST(VariantEnumerator, NextGivesItemsInKeyOrderAndSignalsTheEnd) {
  ComPtr<IDictionary> d = DictionaryOf({L"b.txt", L"A.txt", L"_c.txt"});
  ComPtr<IEnumVARIANT> e = EnumeratorOf(d.get());
  Fetch f = NextTexts(e.get(), 2);
  EXPECT_EQ(f.hr, S_OK);
  EXPECT_EQ(f.fetched, 2u);
  EXPECT_EQ(f.texts, L"_c.txt|A.txt");
  f = NextTexts(e.get(), 2);
  EXPECT_EQ(f.hr, S_FALSE) << "fewer than asked";
  EXPECT_EQ(f.fetched, 1u);
  EXPECT_EQ(f.texts, L"b.txt");
  f = NextTexts(e.get(), 1);
  EXPECT_EQ(f.hr, S_FALSE);
  EXPECT_EQ(f.fetched, 0u);

  ComPtr<IEnumVARIANT> empty = EnumeratorOf(DictionaryOf({}).get());
  f = NextTexts(empty.get(), 1);
  EXPECT_EQ(f.hr, S_FALSE);
  EXPECT_EQ(f.fetched, 0u);
}

TEST(VariantEnumerator, NextChecksItsPointers) {
  ComPtr<IEnumVARIANT> e = EnumeratorOf(DictionaryOf({L"a", L"b"}).get());
  VARIANT items[2];
  ULONG fetched = 0;
  EXPECT_EQ(e->Next(1, nullptr, &fetched), E_POINTER);
  EXPECT_EQ(e->Next(2, items, nullptr), E_POINTER) << "a count other than 1 needs the out-count";
  ASSERT_EQ(e->Next(1, items, nullptr), S_OK) << "one item needs no out-count";
  EXPECT_EQ(com::View(V_BSTR(&items[0])), L"a") << "the refused calls did not advance";
  ::VariantClear(&items[0]);
}

TEST(VariantEnumerator, SkipResetAndClone) {
  ComPtr<IDictionary> d = DictionaryOf({L"a", L"b", L"c"});
  ComPtr<IEnumVARIANT> e = EnumeratorOf(d.get());
  EXPECT_EQ(e->Skip(1), S_OK);
  EXPECT_EQ(NextTexts(e.get(), 1).texts, L"b");
  EXPECT_EQ(e->Skip(1), S_FALSE) << "reaching the end";
  EXPECT_EQ(NextTexts(e.get(), 1).fetched, 0u);
  EXPECT_EQ(e->Reset(), S_OK);
  EXPECT_EQ(e->Skip(7), S_FALSE) << "passing the end stops at it";
  EXPECT_EQ(NextTexts(e.get(), 3).fetched, 0u);
  EXPECT_EQ(e->Reset(), S_OK);
  EXPECT_EQ(e->Skip(0), S_OK);
  EXPECT_EQ(NextTexts(e.get(), 1).texts, L"a");

  ComPtr<IEnumVARIANT> clone;
  EXPECT_EQ(e->Clone(nullptr), E_POINTER);
  ASSERT_EQ(e->Clone(clone.put()), S_OK);
  EXPECT_EQ(NextTexts(clone.get(), 3).texts, L"b|c") << "the clone starts where it was made";
  EXPECT_EQ(NextTexts(e.get(), 3).texts, L"b|c") << "and moves on its own";
  clone->Reset();
  d.reset();
  EXPECT_EQ(NextTexts(clone.get(), 3).texts, L"a|b|c") << "clones outlive the dictionary";
}

TEST(VariantEnumerator, WorksOnACopyTakenWhenItWasMade) {
  ComPtr<IDictionary> d = DictionaryOf({L"b"});
  ComPtr<IEnumVARIANT> e = EnumeratorOf(d.get());
  Variant key, item;
  *key.get() = VBstr(L"a");
  *item.get() = VBstr(L"a");
  ASSERT_EQ(d->Add(key.get(), item.get()), S_OK);
  *item.put() = VBstr(L"changed");
  *key.put() = VBstr(L"b");
  ASSERT_EQ(d->put_Item(key.get(), item.get()), S_OK);
  EXPECT_EQ(NextTexts(e.get(), 5).texts, L"b") << "later changes do not reach it";
  EXPECT_EQ(NextTexts(EnumeratorOf(d.get()).get(), 5).texts, L"a|changed");
}

TEST(VariantEnumerator, HoldsItsObjectsAndTheModule) {
  ComPtr<IDictionary> d;
  ASSERT_EQ(LoadedModule::Default().Create(CLSID_Dictionary, d.put()), S_OK);
  bool destroyed = false;
  IDispatch* held = CountingDispatch::New(&destroyed);
  CountingDispatch* object = static_cast<CountingDispatch*>(held);
  Variant key;
  *key.get() = VBstr(L"x");
  VARIANT handover = ByReference(&held);
  ASSERT_EQ(d->Add(key.get(), &handover), S_OK);

  ComPtr<IEnumVARIANT> e = EnumeratorOf(d.get());
  EXPECT_EQ(object->refs(), 2) << "the enumerator's copy holds its own reference";
  d.reset();
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_FALSE) << "a live enumerator keeps the module";
  ComPtr<IDispatch> notThere;
  EXPECT_EQ(e.As(&notThere), E_NOINTERFACE) << "an enumerator is not a dispatch object";
  VARIANT item;
  ASSERT_EQ(e->Next(1, &item, nullptr), S_OK);
  EXPECT_EQ(V_VT(&item), VT_DISPATCH);
  EXPECT_EQ(V_DISPATCH(&item), static_cast<IDispatch*>(object));
  ::VariantClear(&item);
  e.reset();
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_OK);
}

TEST(VariantEnumerator, ReachedAsScriptEnginesAskForIt) {
  // VBScript's For Each (and JScript's Enumerator on Windows) ask for DISPID_NEWENUM as a method
  // or property get and then for IEnumVARIANT on what comes back.
  ComPtr<IDictionary> d = DictionaryOf({L"y", L"x"});
  DISPPARAMS none{};
  Variant result;
  ASSERT_EQ(d->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT,
                      DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, result.get(), nullptr,
                      nullptr),
            S_OK);
  ASSERT_TRUE(result.type() == VT_UNKNOWN || result.type() == VT_DISPATCH);
  ComPtr<IEnumVARIANT> e;
  ASSERT_EQ(V_UNKNOWN(result.get())->QueryInterface(IID_IEnumVARIANT, e.put_void()), S_OK);
  EXPECT_EQ(NextTexts(e.get(), 2).texts, L"x|y");
}

}  // namespace
}  // namespace docket::test
