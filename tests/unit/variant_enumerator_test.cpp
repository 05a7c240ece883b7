// The dictionary's enumerator: Next, Skip, Reset and Clone, and its own copy of the items.
#include "counting_dispatch.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace docket::test {
namespace {

void Put(IDictionary* d, const wchar_t* key, const wchar_t* item) {
  Variant k, i;
  *k.get() = VBstr(key);
  *i.get() = VBstr(item);
  EXPECT_EQ(d->put_Item(k.get(), i.get()), S_OK);
}

// A dictionary whose items are their own keys, so that the order shows.
ComPtr<IDictionary> DictionaryOf(std::initializer_list<const wchar_t*> keys) {
  ComPtr<IDictionary> d;
  EXPECT_EQ(LoadedModule::Default().Create(CLSID_Dictionary, d.put()), S_OK);
  for (const wchar_t* key : keys) Put(d.get(), key, key);
  return d;
}

ComPtr<IEnumVARIANT> EnumeratorOf(IDictionary* d) {
  ComPtr<IUnknown> unknown;
  ComPtr<IEnumVARIANT> e;
  EXPECT_EQ(d->get__NewEnum(unknown.put()), S_OK);
  EXPECT_EQ(unknown.As(&e), S_OK);
  return e;
}

// Next(count) into slots of garbage: the texts it gave joined by "|", and "." after them when it
// answered S_FALSE.
std::wstring Next(IEnumVARIANT* e, ULONG count) {
  std::vector<VARIANT> items(count + 1);
  for (VARIANT& v : items) V_VT(&v) = 0xBEEF;
  ULONG fetched = 12345;
  const HRESULT hr = e->Next(count, items.data(), &fetched);
  std::wstring texts;
  for (ULONG i = 0; i < fetched && i < count; ++i) {
    texts += (i ? L"|" : L"") + std::wstring(com::View(V_BSTR(&items[i])));
    ::VariantClear(&items[i]);
  }
  EXPECT_LE(fetched, count);
  EXPECT_EQ(V_VT(&items[count]), 0xBEEF) << "nothing is written past the count";
  return hr == S_FALSE ? texts + L"." : texts;
}

TEST(VariantEnumerator, NextSkipResetAndClone) {
  ComPtr<IDictionary> d = DictionaryOf({L"b.txt", L"A.txt", L"_c.txt"});
  ComPtr<IEnumVARIANT> e = EnumeratorOf(d.get());
  EXPECT_EQ(Next(e.get(), 2), L"_c.txt|A.txt");
  EXPECT_EQ(Next(e.get(), 2), L"b.txt.") << "fewer than asked";
  EXPECT_EQ(Next(e.get(), 1), L".");
  EXPECT_EQ(Next(EnumeratorOf(DictionaryOf({}).get()).get(), 1), L".") << "an empty dictionary";

  e->Reset();
  VARIANT items[2];
  EXPECT_EQ(e->Next(1, nullptr, nullptr), E_POINTER);
  EXPECT_EQ(e->Next(2, items, nullptr), E_POINTER) << "a count other than 1 needs the out-count";
  ASSERT_EQ(e->Next(1, items, nullptr), S_OK) << "one item needs no out-count";
  EXPECT_EQ(com::View(V_BSTR(&items[0])), L"_c.txt") << "the refused calls did not advance";
  ::VariantClear(&items[0]);

  EXPECT_EQ(e->Skip(1), S_OK);
  EXPECT_EQ(Next(e.get(), 1), L"b.txt");
  EXPECT_EQ(e->Skip(1), S_FALSE) << "reaching the end";
  EXPECT_EQ(e->Reset(), S_OK);
  EXPECT_EQ(e->Skip(7), S_FALSE) << "passing the end stops at it";
  EXPECT_EQ(Next(e.get(), 3), L".");
  e->Reset();
  EXPECT_EQ(e->Skip(0), S_OK);
  EXPECT_EQ(Next(e.get(), 1), L"_c.txt");

  ComPtr<IEnumVARIANT> clone;
  EXPECT_EQ(e->Clone(nullptr), E_POINTER);
  ASSERT_EQ(e->Clone(clone.put()), S_OK);
  EXPECT_EQ(Next(clone.get(), 3), L"A.txt|b.txt.") << "the clone starts where it was made";
  EXPECT_EQ(Next(e.get(), 3), L"A.txt|b.txt.") << "and moves on its own";
  clone->Reset();
  d.reset();
  e.reset();
  EXPECT_EQ(Next(clone.get(), 3), L"_c.txt|A.txt|b.txt") << "clones outlive the dictionary";
}

TEST(VariantEnumerator, WorksOnACopyTakenWhenItWasMade) {
  ComPtr<IDictionary> d = DictionaryOf({L"b"});
  ComPtr<IEnumVARIANT> e = EnumeratorOf(d.get());
  Put(d.get(), L"a", L"a");
  Put(d.get(), L"b", L"changed");
  EXPECT_EQ(Next(e.get(), 5), L"b.") << "later changes do not reach it";
  EXPECT_EQ(Next(EnumeratorOf(d.get()).get(), 5), L"a|changed.");
}

TEST(VariantEnumerator, HoldsItsObjectsAndTheModule) {
  ComPtr<IDictionary> d = DictionaryOf({});
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
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_FALSE) << "a live enumerator keeps the module";
  ComPtr<IDispatch> notThere;
  EXPECT_EQ(e.As(&notThere), E_NOINTERFACE) << "an enumerator is not a dispatch object";
  Variant item;
  ASSERT_EQ(e->Next(1, item.get(), nullptr), S_OK);
  EXPECT_EQ(V_DISPATCH(item.get()), static_cast<IDispatch*>(object));
  item.put();
  EXPECT_FALSE(destroyed);
  e.reset();
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace docket::test
