// The Dictionary: reading by key and by position, storing, the key rules, ownership of the items,
// removal and renaming (what scripts see of them is walked in tests/smoke/dictionary.vbs; threads
// share one in the thread stress test).
#include "counting_dispatch.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace docket::test {
namespace {

ComPtr<IDictionary> NewDictionary() {
  ComPtr<IDictionary> d;
  EXPECT_EQ(LoadedModule::Default().Create(CLSID_Dictionary, d.put()), S_OK);
  return d;
}

VARIANT Typed(VARTYPE type, ULONG bits) {  // the low bytes carry the narrower types' values
  VARIANT v;
  V_VT(&v) = type;
  V_UI8(&v) = bits;
  return v;
}

VARIANT VR8(double value) {
  VARIANT v = Typed(VT_R8, 0);
  V_R8(&v) = value;
  return v;
}

// Stores under `key` (owned and freed here) through Add or Item (put); the result.
HRESULT Store(IDictionary* d, VARIANT key, const wchar_t* item, bool put = false) {
  Variant k, i;
  *k.get() = key;
  *i.get() = VBstr(item);
  return put ? d->put_Item(k.get(), i.get()) : d->Add(k.get(), i.get());
}

// Item (get) with `key` (owned and freed here): a text item, or "<description>" of the failure.
std::wstring ItemText(IDictionary* d, VARIANT key) {
  Variant k, item;
  *k.get() = key;
  ClearError();
  const HRESULT hr = d->get_Item(k.get(), item.get());
  if (hr == DISP_E_EXCEPTION) return L"<" + TakeError().description + L">";
  if (FAILED(hr) || item.type() != VT_BSTR) return L"<unexpected>";
  return std::wstring(com::View(V_BSTR(item.get())));
}

LONG CountOf(IDictionary* d) {
  LONG count = -1;
  EXPECT_EQ(d->get_Count(&count), S_OK);
  return count;
}

// "ok", or the failure as "<description>" (the error object is taken off the thread).
std::wstring Outcome(HRESULT hr) {
  if (hr == S_OK) return L"ok";
  if (hr == DISP_E_EXCEPTION) return L"<" + TakeError().description + L">";
  return L"<result " + std::to_wstring(hr) + L">";
}

// Remove and Key (put) with keys owned and freed here.
std::wstring Remove(IDictionary* d, VARIANT key) {
  Variant k;
  *k.get() = key;
  ClearError();
  return Outcome(d->Remove(k.get()));
}
std::wstring Rename(IDictionary* d, VARIANT from, VARIANT to) {
  Variant f, t;
  *f.get() = from;
  *t.get() = to;
  ClearError();
  return Outcome(d->put_Key(f.get(), t.get()));
}

// The keys, comma-separated, from a Keys array checked to be one dimension of variants from 0.
std::wstring KeysJoined(IDictionary* d) {
  Variant array;
  EXPECT_EQ(d->Keys(array.get()), S_OK);
  SAFEARRAY* keys = V_ARRAY(array.get());
  LONG low = -1, high = -1;
  if (array.type() != (VT_ARRAY | VT_VARIANT) || ::SafeArrayGetDim(keys) != 1 ||
      FAILED(::SafeArrayGetLBound(keys, 1, &low)) || FAILED(::SafeArrayGetUBound(keys, 1, &high)) ||
      low != 0)
    return L"<not one dimension of variants from 0>";
  std::wstring text;
  for (LONG i = 0; i <= high; ++i) {
    Variant key;
    ::SafeArrayGetElement(keys, &i, key.get());
    text += (i ? L"," : L"") + std::wstring(com::View(V_BSTR(key.get())));
  }
  return text;
}

TEST(DictionaryItem, ByKeyWithoutCaseAndByPositionInKeyOrder) {
  ComPtr<IDictionary> d = NewDictionary();
  for (const wchar_t* key : {L"readme", L"Apple", L"banana", L"\u00C0", L"\u00E0"})
    ASSERT_EQ(Store(d.get(), VBstr(key), key), S_OK);
  EXPECT_EQ(CountOf(d.get()), 5) << "keys differing in a non-ASCII letter's case are distinct";
  const wchar_t* inOrder[] = {L"Apple", L"banana", L"readme", L"\u00C0", L"\u00E0"};
  for (LONG position = 1; position <= 5; ++position)
    EXPECT_EQ(ItemText(d.get(), VI4(position)), inOrder[position - 1]) << position;
  EXPECT_EQ(ItemText(d.get(), VBstr(L"README")), L"readme");

  EXPECT_EQ(Store(d.get(), VBstr(L"APPLE"), L"second"), S_OK);
  EXPECT_EQ(ItemText(d.get(), VBstr(L"apple")), L"Apple") << "a duplicate Add keeps the first";
  EXPECT_EQ(Store(d.get(), VBstr(L"APPLE"), L"put", true), S_OK);
  EXPECT_EQ(ItemText(d.get(), VBstr(L"apple")), L"put") << "put replaces";
  EXPECT_EQ(CountOf(d.get()), 5);
  EXPECT_EQ(Store(d.get(), VBstr(L"cherry"), L"new", true), S_OK);
  EXPECT_EQ(CountOf(d.get()), 6) << "put under a new key adds";
}

TEST(DictionaryItem, KeyTypes) {
  ComPtr<IDictionary> d = NewDictionary();
  Store(d.get(), VBstr(L"a"), L"first");
  Store(d.get(), VBstr(L"b"), L"second");
  LONG two = 2;
  VARIANT name = VBstr(L"A"), byRefLong = Typed(VT_BYREF | VT_I4, 0),
          byRefName = Typed(VT_BYREF | VT_VARIANT, 0);
  V_I4REF(&byRefLong) = &two;
  V_VARIANTREF(&byRefName) = &name;
  const std::wstring range = L"<Index out of range.>", type = L"<Type not supported.>";
  const struct {
    const char* name;
    VARIANT key;
    std::wstring expected;
  } cases[] = {
      {"I4 1", VI4(1), L"first"},
      {"I4 0", VI4(0), range},
      {"I4 Count + 1", VI4(3), range},
      {"I2", Typed(VT_I2, 2), L"second"},
      {"UI1", Typed(VT_UI1, 2), L"second"},
      {"UI4", Typed(VT_UI4, 2), L"second"},
      {"by-reference long", byRefLong, L"second"},
      {"by-reference variant holding a name", byRefName, L"first"},
      {"R8 1.0", VR8(1.0), type},
      {"R8 1.5", VR8(1.5), type},
      {"Empty", Typed(VT_EMPTY, 0), type},
      {"Null", Typed(VT_NULL, 0), type},
      {"object", Typed(VT_DISPATCH, 0), type},
      {"Boolean", VBool(true), type},
      {"unknown name", VBstr(L"c"), L"<Item not found.>"},
  };
  for (const auto& c : cases) EXPECT_EQ(ItemText(d.get(), c.key), c.expected) << c.name;
  ::VariantClear(&name);
}

TEST(DictionaryItem, UnsignedPositionAboveTheSignedRange) {
  ComPtr<IDictionary> d = NewDictionary();
  Store(d.get(), VBstr(L"a"), L"first");
  // The position goes through the platform's VariantChangeType. Windows refuses 0x80000000 as an
  // overflow: "VariantChangeType failed.". Wine 8.0's VariantChangeType wraps it to -2147483648
  // (its VarI4FromUI4 does refuse it), and the read fails as a position below 1. Which of the two
  // applies is measured here, not assumed.
  VARIANT probe = Typed(VT_UI4, 0x80000000u);
  const bool refused = FAILED(::VariantChangeType(&probe, &probe, 0, VT_I4));
  for (const ULONG value : {0x80000000u, 0xFFFFFFFFu})
    EXPECT_EQ(ItemText(d.get(), Typed(VT_UI4, value)),
              refused ? L"<VariantChangeType failed.>" : L"<Index out of range.>")
        << value;
}

TEST(DictionaryItem, UnresolvableArgumentsAndMissingPointers) {
  ComPtr<IDictionary> d = NewDictionary();
  // A variant reference to another variant reference, and a reference to a variant of no known
  // type, are more than a copy that follows one reference resolves.
  VARIANT innermost = VI4(1), inner = Typed(VT_BYREF | VT_VARIANT, 0),
          outer = Typed(VT_BYREF | VT_VARIANT, 0), badType = Typed(0x7F, 0),
          toBadType = Typed(VT_BYREF | VT_VARIANT, 0);
  V_VARIANTREF(&inner) = &innermost;
  V_VARIANTREF(&outer) = &inner;
  V_VARIANTREF(&toBadType) = &badType;
  for (const VARIANT& key : {outer, toBadType})
    EXPECT_EQ(ItemText(d.get(), key), L"<Could not resolve argument into simple type.>");

  Variant key, out;
  *key.get() = VI4(1);
  *out.get() = VI4(5);
  EXPECT_EQ(d->get_Item(key.get(), nullptr), E_POINTER);
  EXPECT_EQ(d->get_Item(nullptr, out.get()), E_POINTER);
  EXPECT_EQ(out.type(), VT_EMPTY) << "the output is emptied first";
  EXPECT_EQ(d->get_Count(nullptr), E_POINTER);
  EXPECT_EQ(d->Add(nullptr, out.get()), E_POINTER);
}

TEST(DictionaryStore, OnlyStringKeysAreStored) {
  ComPtr<IDictionary> d = NewDictionary();
  bool destroyed = false;
  VARIANT object = Typed(VT_DISPATCH, 0), array = Typed(VT_ARRAY | VT_VARIANT, 0);
  V_DISPATCH(&object) = CountingDispatch::New(&destroyed);
  V_ARRAY(&array) = ::SafeArrayCreateVector(VT_VARIANT, 0, 1);
  for (const VARIANT& key : {VI4(1), VR8(1.5), VBool(true), Typed(VT_EMPTY, 0),
                             Typed(VT_NULL, 0), object, array}) {
    for (const bool put : {false, true}) {
      Variant k, item;
      ::VariantCopy(k.get(), const_cast<VARIANT*>(&key));
      *item.get() = VBstr(L"x");
      ClearError();
      EXPECT_EQ(put ? d->put_Item(k.get(), item.get()) : d->Add(k.get(), item.get()),
                DISP_E_EXCEPTION) << V_VT(&key);
      EXPECT_EQ(TakeError().description, L"Key must be a string.");
      EXPECT_EQ(item.type(), VT_BSTR) << "a failed call leaves the caller its value";
    }
  }
  ::VariantClear(&object);
  ::VariantClear(&array);
  EXPECT_TRUE(destroyed) << "a refused key is not kept";
  EXPECT_EQ(CountOf(d.get()), 0);

  VARIANT nullText = Typed(VT_BSTR, 0);  // a null automation string is the empty key
  EXPECT_EQ(Store(d.get(), nullText, L"nothing"), S_OK);
  EXPECT_EQ(ItemText(d.get(), VBstr(L"")), L"nothing");
}

TEST(DictionaryOwnership, OnlyAnObjectHandedOverByReferenceIsTakenOver) {
  bool handedGone = false, keptGone = false, duplicateGone = false;
  IDispatch* handed = CountingDispatch::New(&handedGone);
  CountingDispatch* handedObject = static_cast<CountingDispatch*>(handed);
  CountingDispatch* kept = CountingDispatch::New(&keptGone);
  {
    ComPtr<IDictionary> d = NewDictionary();
    Variant key, numberKey;
    *key.get() = VBstr(L"handed");
    *numberKey.get() = VI4(5);
    VARIANT handover = ByReference(&handed);
    ASSERT_EQ(d->Add(numberKey.get(), &handover), DISP_E_EXCEPTION);
    EXPECT_EQ(handed, static_cast<IDispatch*>(handedObject)) << "a failed Add takes nothing";
    ASSERT_EQ(d->Add(key.get(), &handover), S_OK);
    EXPECT_EQ(handed, nullptr) << "the handed-over pointer is cleared";
    EXPECT_EQ(handedObject->refs(), 1) << "the dictionary is the only holder";

    IDispatch* duplicate = CountingDispatch::New(&duplicateGone);
    VARIANT second = ByReference(&duplicate);
    ASSERT_EQ(d->Add(key.get(), &second), S_OK);
    EXPECT_TRUE(duplicateGone) << "the object of a duplicate key is released at once";

    VARIANT byValue = Typed(VT_DISPATCH, 0);
    V_DISPATCH(&byValue) = kept;
    *key.put() = VBstr(L"kept");
    ASSERT_EQ(d->Add(key.get(), &byValue), S_OK);
    EXPECT_EQ(V_DISPATCH(&byValue), kept) << "a value passed by value stays the caller's";
    EXPECT_EQ(kept->refs(), 2);
    ASSERT_EQ(d->put_Item(key.get(), &byValue), S_OK);
    EXPECT_EQ(kept->refs(), 2) << "put copies, and releases the item it replaces";

    Variant read;
    *key.put() = VBstr(L"HANDED");
    ASSERT_EQ(d->get_Item(key.get(), read.get()), S_OK);
    EXPECT_EQ(V_DISPATCH(read.get()), static_cast<IDispatch*>(handedObject));
    EXPECT_EQ(handedObject->refs(), 2) << "a read gives the caller a reference of its own";
  }
  EXPECT_TRUE(handedGone) << "released with the dictionary";
  EXPECT_EQ(kept->refs(), 1);
  kept->Release();
}

TEST(DictionaryKeys, ItemsArrayHoldsItsOwnReferences) {
  ComPtr<IDictionary> d = NewDictionary();
  bool gone = false;
  CountingDispatch* object = CountingDispatch::New(&gone);
  Variant key, item;
  *key.get() = VBstr(L"o");
  V_VT(item.get()) = VT_DISPATCH;
  V_DISPATCH(item.get()) = object;  // the variant owns the creator's reference
  ASSERT_EQ(d->putref_Item(key.get(), item.get()), S_OK) << "Set d(key) = object stores it";
  item.put();
  {
    Variant items;
    ASSERT_EQ(d->Items(items.get()), S_OK);
    EXPECT_EQ(object->refs(), 2);
    ASSERT_EQ(d->RemoveAll(), S_OK);
    EXPECT_FALSE(gone) << "the array keeps the object";
  }
  EXPECT_TRUE(gone);
}

TEST(DictionaryRemoval, RemoveAndRemoveAllReleaseItemsOutsideTheLock) {
  ComPtr<IDictionary> d = NewDictionary();
  LONG countSeenOnRelease = -1;
  bool gone = false;
  // The item's destruction reads the dictionary: released under the dictionary's lock, it would
  // deadlock here.
  IDispatch* object =
      CountingDispatch::New(&gone, [&] { d->get_Count(&countSeenOnRelease); });
  for (const wchar_t* key : {L"a", L"c"}) Store(d.get(), VBstr(key), key);
  Variant key;
  *key.get() = VBstr(L"b");
  VARIANT handover = ByReference(&object);
  ASSERT_EQ(d->Add(key.get(), &handover), S_OK);

  EXPECT_EQ(Remove(d.get(), VBstr(L"B")), L"ok");
  EXPECT_TRUE(gone);
  EXPECT_EQ(countSeenOnRelease, 2);
  EXPECT_EQ(ItemText(d.get(), VI4(2)), L"c") << "positions follow the new key order";
  EXPECT_EQ(Remove(d.get(), VBstr(L"b")), L"<Item not found.>");
  EXPECT_EQ(Remove(d.get(), VI4(1)), L"<Key must be a string.>");
  EXPECT_EQ(CountOf(d.get()), 2);

  object = CountingDispatch::New(&gone, [&] { d->get_Count(&countSeenOnRelease); });
  handover = ByReference(&object);
  ASSERT_EQ(d->Add(key.get(), &handover), S_OK);
  ASSERT_EQ(d->RemoveAll(), S_OK);
  EXPECT_TRUE(gone);
  EXPECT_EQ(countSeenOnRelease, 0);
  EXPECT_EQ(ItemText(d.get(), VI4(1)), L"<Index out of range.>");
  EXPECT_EQ(Store(d.get(), VBstr(L"a"), L"again"), S_OK);
  EXPECT_EQ(ItemText(d.get(), VBstr(L"A")), L"again");
}

TEST(DictionaryRename, KeyMovesAnEntryOrRefusesWithoutChange) {
  ComPtr<IDictionary> d = NewDictionary();
  for (const wchar_t* key : {L"apple", L"banana", L"readme"}) Store(d.get(), VBstr(key), key);
  const struct {
    const char* name;
    VARIANT from, to;
    std::wstring outcome, keysAfter;
  } cases[] = {
      {"to a new place", VBstr(L"APPLE"), VBstr(L"zebra"), L"ok", L"banana,readme,zebra"},
      {"a missing key", VBstr(L"apple"), VBstr(L"x"), L"<Item not found.>", L"banana,readme,zebra"},
      {"onto another entry's key", VBstr(L"banana"), VBstr(L"README"),
       L"<Another item already has the new key.>", L"banana,readme,zebra"},
      {"the same key in other letters", VBstr(L"banana"), VBstr(L"Banana"), L"ok",
       L"Banana,readme,zebra"},
      {"a number as the new key", VBstr(L"zebra"), VI4(3), L"<Key must be a string.>",
       L"Banana,readme,zebra"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Rename(d.get(), c.from, c.to), c.outcome) << c.name;
    EXPECT_EQ(KeysJoined(d.get()), c.keysAfter) << c.name;
  }
  EXPECT_EQ(ItemText(d.get(), VBstr(L"zebra")), L"apple") << "the item travels with its entry";
  EXPECT_EQ(ItemText(d.get(), VI4(3)), L"apple");
}

}  // namespace
}  // namespace docket::test
