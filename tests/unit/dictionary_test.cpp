// The Dictionary: key order, reading by key and by position, storing, the key rules, ownership of
// the items, the members that do nothing, and concurrent use.
#include "counting_dispatch.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace docket::test {
namespace {

ComPtr<IDictionary> NewDictionary() {
  ComPtr<IDictionary> dictionary;
  EXPECT_EQ(LoadedModule::Default().Create(CLSID_Dictionary, dictionary.put()), S_OK);
  return dictionary;
}

VARIANT VR8(double value) {
  VARIANT v;
  ::VariantInit(&v);
  V_VT(&v) = VT_R8;
  V_R8(&v) = value;
  return v;
}

// Adds text items under text keys, through the vtable as an internal caller does.
void AddText(IDictionary* dictionary, const wchar_t* key, const wchar_t* item) {
  Variant k, i;
  *k.get() = VBstr(key);
  *i.get() = VBstr(item);
  ASSERT_EQ(dictionary->Add(k.get(), i.get()), S_OK) << "Add " << ::testing::PrintToString(key);
}

// Item (get) with `key`; the text of a text item, or "<error: description>".
std::wstring ItemText(IDictionary* dictionary, VARIANT key) {
  Variant keyOwner, item;
  *keyOwner.get() = key;
  ClearError();
  const HRESULT hr = dictionary->get_Item(keyOwner.get(), item.get());
  if (FAILED(hr)) {
    const ErrorFields error = TakeError();
    if (hr != DISP_E_EXCEPTION) return L"<hr " + std::to_wstring(hr) + L">";
    return L"<error: " + error.description + L">";
  }
  if (item.type() != VT_BSTR) return L"<type " + std::to_wstring(item.type()) + L">";
  return std::wstring(com::View(V_BSTR(item.get())));
}

LONG CountOf(IDictionary* dictionary) {
  LONG count = -1;
  EXPECT_EQ(dictionary->get_Count(&count), S_OK);
  return count;
}

TEST(DictionaryOrder, PositionsFollowKeysWithOnlyAsciiLettersFolded) {
  ComPtr<IDictionary> d = NewDictionary();
  AddText(d.get(), L"readme", L"R");
  AddText(d.get(), L"Apple", L"A");
  AddText(d.get(), L"banana", L"B");
  AddText(d.get(), L"_under", L"U");
  AddText(d.get(), L"\u00C0 grave", L"capital");
  AddText(d.get(), L"\u00E0 grave", L"small");
  EXPECT_EQ(CountOf(d.get()), 6) << "keys differing in a non-ASCII letter's case are distinct";
  const wchar_t* expected[] = {L"U", L"A", L"B", L"R", L"capital", L"small"};
  for (LONG position = 1; position <= 6; ++position)
    EXPECT_EQ(ItemText(d.get(), VI4(position)), expected[position - 1]) << "position " << position;
  EXPECT_EQ(ItemText(d.get(), VBstr(L"README")), L"R") << "A-Z compare without case";
  EXPECT_EQ(ItemText(d.get(), VBstr(L"\u00E0 GRAVE")), L"small");
}

TEST(DictionaryItem, KeyTypesAndPositions) {
  ComPtr<IDictionary> d = NewDictionary();
  AddText(d.get(), L"a", L"first");
  AddText(d.get(), L"b", L"second");
  auto typed = [](VARTYPE type, ULONG value) {
    VARIANT v;
    ::VariantInit(&v);
    V_VT(&v) = type;
    V_UI4(&v) = value;  // the low bytes carry the value for the narrower types
    return v;
  };
  LONG byRefPosition = 2;
  VARIANT referencedKey = VBstr(L"A");
  VARIANT byRefLong, byRefVariant;
  V_VT(&byRefLong) = VT_BYREF | VT_I4;
  V_I4REF(&byRefLong) = &byRefPosition;
  V_VT(&byRefVariant) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&byRefVariant) = &referencedKey;
  VARIANT empty, null;
  ::VariantInit(&empty);
  ::VariantInit(&null);
  V_VT(&null) = VT_NULL;
  VARIANT object;
  V_VT(&object) = VT_DISPATCH;
  V_DISPATCH(&object) = nullptr;
  VARIANT truth = VBool(true);

  const std::wstring outOfRange = L"<error: Index out of range.>";
  const std::wstring notSupported = L"<error: Type not supported.>";
  struct Case {
    const char* name;
    VARIANT key;
    std::wstring expected;
  } cases[] = {
      {"I4 1", VI4(1), L"first"},
      {"I4 Count", VI4(2), L"second"},
      {"I4 0", VI4(0), outOfRange},
      {"I4 Count + 1", VI4(3), outOfRange},
      {"I4 negative", VI4(-1), outOfRange},
      {"I2", typed(VT_I2, 2), L"second"},
      {"I1", typed(VT_I1, 1), L"first"},
      {"UI1", typed(VT_UI1, 2), L"second"},
      {"UI2", typed(VT_UI2, 1), L"first"},
      {"UI4", typed(VT_UI4, 2), L"second"},
      {"by-reference long", byRefLong, L"second"},
      {"by-reference variant holding a name", byRefVariant, L"first"},
      {"R8 1.0", VR8(1.0), notSupported},
      {"R8 1.5", VR8(1.5), notSupported},
      {"Empty", empty, notSupported},
      {"Null", null, notSupported},
      {"object", object, notSupported},
      {"Boolean", truth, notSupported},
      {"unknown name", VBstr(L"c"), L"<error: Item not found.>"},
  };
  for (Case& c : cases) EXPECT_EQ(ItemText(d.get(), c.key), c.expected) << c.name;
  ::VariantClear(&referencedKey);
}

TEST(DictionaryItem, UnsignedPositionAboveTheSignedRange) {
  ComPtr<IDictionary> d = NewDictionary();
  AddText(d.get(), L"a", L"first");
  // The position goes through the platform's VariantChangeType. Windows refuses 0x80000000 as
  // an overflow, so the read fails with "VariantChangeType failed."; Wine 8.0's VariantChangeType
  // wraps it to -2147483648 (its VarI4FromUI4 does refuse it), and the read then fails as a
  // position below 1. Both are pinned; which one applies is measured here, not assumed.
  VARIANT probe;
  V_VT(&probe) = VT_UI4;
  V_UI4(&probe) = 0x80000000u;
  const bool platformRefuses = FAILED(::VariantChangeType(&probe, &probe, 0, VT_I4));
  const std::wstring expected = platformRefuses ? L"<error: VariantChangeType failed.>"
                                                : L"<error: Index out of range.>";
  for (const ULONG value : {0x80000000u, 0xFFFFFFFFu}) {
    VARIANT key;
    V_VT(&key) = VT_UI4;
    V_UI4(&key) = value;
    EXPECT_EQ(ItemText(d.get(), key), expected) << value;
  }
}

TEST(DictionaryItem, UnresolvableArgumentAndMissingPointers) {
  ComPtr<IDictionary> d = NewDictionary();
  AddText(d.get(), L"a", L"first");
  // A variant reference to another variant reference, and a reference to a variant of no known
  // type, are more than a copy that follows one reference can resolve.
  VARIANT innermost = VI4(1), inner, outer;
  V_VT(&inner) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&inner) = &innermost;
  V_VT(&outer) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&outer) = &inner;
  EXPECT_EQ(ItemText(d.get(), outer), L"<error: Could not resolve argument into simple type.>");
  VARIANT unknownType, toUnknownType;
  V_VT(&unknownType) = 0x7F;
  V_VT(&toUnknownType) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&toUnknownType) = &unknownType;
  EXPECT_EQ(ItemText(d.get(), toUnknownType),
            L"<error: Could not resolve argument into simple type.>");

  Variant key;
  *key.get() = VI4(1);
  EXPECT_EQ(d->get_Item(key.get(), nullptr), E_POINTER);
  VARIANT out;
  V_VT(&out) = VT_I4;
  EXPECT_EQ(d->get_Item(nullptr, &out), E_POINTER);
  EXPECT_EQ(V_VT(&out), VT_EMPTY) << "the output is emptied first";
  EXPECT_EQ(d->get_Count(nullptr), E_POINTER);
}

TEST(DictionaryItem, FailuresCarryTheDictionarySourceThroughDispatch) {
  ComPtr<IDictionary> d = NewDictionary();
  Variant result;
  const CallResult call =
      CallByName(d.get(), L"Item", DISPATCH_PROPERTYGET, {VI4(1)}, result.get());
  EXPECT_EQ(call.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(call.description, L"Index out of range.");
  LPOLESTR progId = nullptr;
  const std::wstring expectedSource =
      SUCCEEDED(::ProgIDFromCLSID(CLSID_Dictionary, &progId)) ? progId : L"";
  ::CoTaskMemFree(progId);
  EXPECT_EQ(call.source, expectedSource) << "empty only when the module is not registered";
}

TEST(DictionaryStore, AddKeepsTheFirstItemAndPutReplaces) {
  ComPtr<IDictionary> d = NewDictionary();
  AddText(d.get(), L"key", L"first");
  AddText(d.get(), L"KEY", L"second");
  EXPECT_EQ(CountOf(d.get()), 1);
  EXPECT_EQ(ItemText(d.get(), VBstr(L"key")), L"first") << "a duplicate Add changes nothing";

  Variant key, item;
  *key.get() = VBstr(L"Key");
  *item.get() = VBstr(L"replaced");
  EXPECT_EQ(d->put_Item(key.get(), item.get()), S_OK);
  EXPECT_EQ(CountOf(d.get()), 1);
  EXPECT_EQ(ItemText(d.get(), VBstr(L"KEY")), L"replaced");
  EXPECT_EQ(item.type(), VT_BSTR) << "put leaves the caller's argument as it was";
  EXPECT_EQ(com::View(V_BSTR(item.get())), L"replaced");

  *key.put() = VBstr(L"new");
  EXPECT_EQ(d->put_Item(key.get(), item.get()), S_OK);
  EXPECT_EQ(CountOf(d.get()), 2) << "put under a new key adds an entry";

  // As a script calls them: the arguments arrive by reference to the script's variables.
  VARIANT scriptKey = VBstr(L"script"), scriptItem = VI4(42);
  VARIANT keyRef, itemRef;
  V_VT(&keyRef) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&keyRef) = &scriptKey;
  V_VT(&itemRef) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&itemRef) = &scriptItem;
  EXPECT_EQ(CallByName(d.get(), L"Add", DISPATCH_METHOD, {keyRef, itemRef}).hr, S_OK);
  EXPECT_EQ(V_VT(&scriptKey), VT_BSTR) << "the script's variables stay as they are";
  EXPECT_EQ(V_VT(&scriptItem), VT_I4) << "the item variable reaches Add as itself, and stays";
  EXPECT_EQ(V_I4(&scriptItem), 42);
  Variant stored;
  *key.put() = VBstr(L"SCRIPT");
  ASSERT_EQ(d->get_Item(key.get(), stored.get()), S_OK);
  EXPECT_EQ(stored.type(), VT_I4);
  EXPECT_EQ(V_I4(stored.get()), 42);
  ::VariantClear(&scriptKey);
}

TEST(DictionaryStore, OnlyStringKeysAreStored) {
  ComPtr<IDictionary> d = NewDictionary();
  SAFEARRAY* array = ::SafeArrayCreateVector(VT_VARIANT, 0, 1);
  VARIANT arrayKey;
  V_VT(&arrayKey) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&arrayKey) = array;
  bool destroyed = false;
  VARIANT objectKey;
  V_VT(&objectKey) = VT_DISPATCH;
  V_DISPATCH(&objectKey) = CountingDispatch::New(&destroyed);
  VARIANT empty, null;
  ::VariantInit(&empty);
  ::VariantInit(&null);
  V_VT(&null) = VT_NULL;
  struct Case {
    const char* name;
    VARIANT key;
  } refused[] = {{"I4", VI4(1)},        {"R8", VR8(1.5)},  {"Boolean", VBool(true)},
                 {"Empty", empty},      {"Null", null},    {"object", objectKey},
                 {"array", arrayKey}};
  for (Case& c : refused) {
    for (const bool put : {false, true}) {
      Variant item;
      *item.get() = VBstr(L"x");
      ClearError();
      const HRESULT hr = put ? d->put_Item(&c.key, item.get()) : d->Add(&c.key, item.get());
      EXPECT_EQ(hr, DISP_E_EXCEPTION) << c.name << (put ? " put" : " Add");
      EXPECT_EQ(TakeError().description, L"Key must be a string.") << c.name;
      EXPECT_EQ(item.type(), VT_BSTR) << c.name << ": a failed call leaves the caller its value";
    }
    ::VariantClear(&c.key);
  }
  EXPECT_EQ(CountOf(d.get()), 0);
  EXPECT_TRUE(destroyed) << "a refused key is not kept";

  // A null automation string is the empty key.
  VARIANT nullText;
  V_VT(&nullText) = VT_BSTR;
  V_BSTR(&nullText) = nullptr;
  Variant item;
  *item.get() = VBstr(L"nothing");
  EXPECT_EQ(d->Add(&nullText, item.get()), S_OK);
  EXPECT_EQ(ItemText(d.get(), VBstr(L"")), L"nothing");
}

TEST(DictionaryOwnership, AnObjectHandedOverByReferenceLivesExactlyAsLongAsTheDictionary) {
  bool destroyed = false;
  IDispatch* held = CountingDispatch::New(&destroyed);
  CountingDispatch* object = static_cast<CountingDispatch*>(held);
  {
    ComPtr<IDictionary> d = NewDictionary();
    Variant key;
    *key.get() = VBstr(L"obj");
    VARIANT handover = ByReference(&held);
    ASSERT_EQ(d->Add(key.get(), &handover), S_OK);
    EXPECT_EQ(held, nullptr) << "the handed-over pointer is cleared";
    EXPECT_EQ(object->refs(), 1) << "the dictionary is the only holder";

    Variant copy;
    ASSERT_EQ(d->get_Item(key.get(), copy.get()), S_OK);
    EXPECT_EQ(V_DISPATCH(copy.get()), static_cast<IDispatch*>(object));
    EXPECT_EQ(object->refs(), 2) << "a read gives the caller a reference of its own";
    copy.put();
    EXPECT_FALSE(destroyed);
  }
  EXPECT_TRUE(destroyed) << "released with the dictionary";
}

TEST(DictionaryOwnership, OnlyAnObjectHandedOverByReferenceIsTakenOver) {
  ComPtr<IDictionary> d = NewDictionary();
  bool firstGone = false, secondGone = false, refusedGone = false;
  CountingDispatch* first = CountingDispatch::New(&firstGone);
  CountingDispatch* second = CountingDispatch::New(&secondGone);
  Variant key;
  *key.get() = VBstr(L"k");

  VARIANT byValue;
  V_VT(&byValue) = VT_DISPATCH;
  V_DISPATCH(&byValue) = first;  // the test's reference
  ASSERT_EQ(d->Add(key.get(), &byValue), S_OK);
  EXPECT_EQ(V_VT(&byValue), VT_DISPATCH) << "a value passed by value stays the caller's";
  EXPECT_EQ(first->refs(), 2) << "the test's and the dictionary's";

  IDispatch* refused = CountingDispatch::New(&refusedGone);
  VARIANT handover = ByReference(&refused);
  Variant numberKey;
  *numberKey.get() = VI4(5);
  ASSERT_EQ(d->Add(numberKey.get(), &handover), DISP_E_EXCEPTION);
  ASSERT_NE(refused, nullptr) << "a failed Add leaves the caller its pointer";
  EXPECT_EQ(static_cast<CountingDispatch*>(refused)->refs(), 1) << "and its reference";
  ASSERT_EQ(d->Add(key.get(), &handover), S_OK);
  EXPECT_TRUE(refusedGone) << "the item of a duplicate key is released at once";

  VARIANT putValue;
  V_VT(&putValue) = VT_DISPATCH;
  V_DISPATCH(&putValue) = second;
  ASSERT_EQ(d->put_Item(key.get(), &putValue), S_OK);
  EXPECT_EQ(second->refs(), 2) << "put keeps a reference of its own and leaves the caller's";
  EXPECT_EQ(first->refs(), 1) << "the replaced item is released";
  first->Release();
  EXPECT_TRUE(firstGone);
  second->Release();
  EXPECT_FALSE(secondGone);
  d.reset();
  EXPECT_TRUE(secondGone);
}

TEST(DictionaryOwnership, ObjectPassedByValueThroughDispatchIsCountedOnce) {
  // A script's temporary object arrives by value; whatever copy the dispatch layer makes, the
  // caller's own reference and the dictionary's must both survive.
  ComPtr<IDictionary> d = NewDictionary();
  bool destroyed = false;
  CountingDispatch* object = CountingDispatch::New(&destroyed);
  VARIANT argument;
  V_VT(&argument) = VT_DISPATCH;
  V_DISPATCH(&argument) = object;
  object->AddRef();  // the argument's reference, released by CallByName
  ASSERT_EQ(CallByName(d.get(), L"Add", DISPATCH_METHOD, {VBstr(L"k"), argument}).hr, S_OK);
  EXPECT_EQ(object->refs(), 2) << "the test's and the dictionary's";
  d.reset();
  EXPECT_EQ(object->refs(), 1);
  object->Release();
}

TEST(DictionaryInert, MembersThatDoNothingLeaveOutputsAndEntriesAlone) {
  ComPtr<IDictionary> d = NewDictionary();
  AddText(d.get(), L"a", L"first");
  Variant key, other;
  *key.get() = VBstr(L"a");
  *other.get() = VBstr(L"z");

  VARIANT_BOOL exists = 0x1234;
  EXPECT_EQ(d->Exists(key.get(), &exists), S_OK);
  EXPECT_EQ(exists, 0x1234);
  for (auto member : {&IDictionary::Items, &IDictionary::Keys}) {
    VARIANT sentinel = VI4(77);
    EXPECT_EQ((d.get()->*member)(&sentinel), S_OK);
    EXPECT_EQ(V_VT(&sentinel), VT_I4);
    EXPECT_EQ(V_I4(&sentinel), 77);
  }
  VARIANT hash = VI4(78);
  EXPECT_EQ(d->get_HashVal(key.get(), &hash), S_OK);
  EXPECT_EQ(V_I4(&hash), 78);
  CompareMethod mode = static_cast<CompareMethod>(55);
  EXPECT_EQ(d->get_CompareMode(&mode), S_OK);
  EXPECT_EQ(mode, 55);

  EXPECT_EQ(d->put_CompareMode(BinaryCompare), S_OK);
  EXPECT_EQ(d->Remove(key.get()), S_OK);
  EXPECT_EQ(d->RemoveAll(), S_OK);
  EXPECT_EQ(d->put_Key(key.get(), other.get()), S_OK);
  EXPECT_EQ(d->putref_Item(key.get(), other.get()), S_OK);
  EXPECT_EQ(CountOf(d.get()), 1);
  EXPECT_EQ(ItemText(d.get(), VBstr(L"a")), L"first");
  EXPECT_EQ(ItemText(d.get(), VBstr(L"z")), L"<error: Item not found.>");
}

TEST(DictionaryThreads, ConcurrentWritersAndReadersSeeWholeEntries) {
  ComPtr<IDictionary> d = NewDictionary();
  constexpr int kWriters = 4, kPerWriter = 1500;
  std::vector<std::thread> threads;
  for (int w = 0; w < kWriters; ++w)
    threads.emplace_back([&, w] {
      for (int i = 0; i < kPerWriter; ++i) {
        const std::wstring name = L"k" + std::to_wstring(w) + L"-" + std::to_wstring(i);
        Variant key, item;
        *key.get() = VBstr(name.c_str());
        *item.get() = VBstr(name.c_str());
        d->Add(key.get(), item.get());
      }
    });
  bool readsHeld = true;
  threads.emplace_back([&] {
    for (int i = 0; i < 3000; ++i) {
      LONG count = 0;
      d->get_Count(&count);
      if (count == 0) continue;
      Variant key, item;
      *key.get() = VI4(count);
      // Every position below a count already seen exists; its item is a whole string.
      if (FAILED(d->get_Item(key.get(), item.get())) || item.type() != VT_BSTR) readsHeld = false;
    }
  });
  for (auto& t : threads) t.join();
  EXPECT_TRUE(readsHeld);
  EXPECT_EQ(CountOf(d.get()), kWriters * kPerWriter);
  EXPECT_EQ(ItemText(d.get(), VBstr(L"K3-1499")), L"k3-1499");
}

}  // namespace
}  // namespace docket::test
