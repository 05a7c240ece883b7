// The Dictionary: reading by key and by position, key types, ownership of the items, removal,
// renaming, and its enumerator; and the Files, Folders and Drives collections over one, filled
// through their private interface as their makers fill them. (Keys of the wrong type for each
// member are pinned by the argument sweep; threads share one in the thread stress test.)
#include "counting_dispatch.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

namespace docket::test {
namespace {

// A variant argument that owns (and frees) what it is given.
struct Arg : Variant {
  explicit Arg(VARIANT v) { *get() = v; }
};

VARIANT Typed(VARTYPE type, ULONG64 bits = 0) {  // the low bytes carry the narrower types' values
  VARIANT v;
  V_VT(&v) = type;
  V_UI8(&v) = bits;
  return v;
}

VARIANT Ref(VARTYPE type, void* target) {  // a reference to the caller's value
  VARIANT v = Typed(VT_BYREF | type);
  V_BYREF(&v) = target;
  return v;
}

struct Dictionary : ::testing::Test {
  static ComPtr<IDictionary> New() {
    ComPtr<IDictionary> d;
    EXPECT_EQ(LoadedModule::Default().Create(CLSID_Dictionary, d.put()), S_OK);
    return d;
  }
  ComPtr<IDictionary> d = New();

  static std::wstring Outcome(HRESULT hr) {  // "ok", or "<description>" of the error object
    return hr == S_OK ? L"ok" : L"<" + TakeError().description + L">";
  }
  HRESULT Store(VARIANT key, const wchar_t* item, bool put = false) {
    Arg k(key), i(VBstr(item));
    return put ? d->put_Item(k.get(), i.get()) : d->Add(k.get(), i.get());
  }
  std::wstring Item(VARIANT key) {  // a text item, or the failure
    Variant item;
    const HRESULT hr = d->get_Item(Arg(key).get(), item.get());
    if (hr != S_OK) return Outcome(hr);
    return item.type() == VT_BSTR ? std::wstring(com::View(V_BSTR(item.get()))) : L"<not text>";
  }
  std::wstring Keys() {  // comma-separated (the array's shape is the page scripts')
    Variant array;
    EXPECT_EQ(d->Keys(array.get()), S_OK);
    const SAFEARRAY* keys = V_ARRAY(array.get());
    std::wstring text;
    for (ULONG i = 0; i < keys->rgsabound[0].cElements; ++i)
      text += (i ? L"," : L"") + std::wstring(com::View(V_BSTR(static_cast<VARIANT*>(keys->pvData) + i)));
    return text;
  }
};

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

TEST_F(Dictionary, ItemByKeyWithoutCaseAndByPositionInKeyOrder) {
  for (const wchar_t* key : {L"readme", L"Apple", L"banana", L"\u00C0", L"\u00E0"})
    ASSERT_EQ(Store(VBstr(key), key), S_OK);
  EXPECT_EQ(Keys(), L"Apple,banana,readme,\u00C0,\u00E0") << "a non-ASCII letter's case counts";
  EXPECT_EQ(Item(VI4(4)) + Item(VBstr(L"README")), L"\u00C0readme");
  EXPECT_EQ(Store(VBstr(L"APPLE"), L"second"), S_OK);        // a duplicate Add keeps the first
  EXPECT_EQ(Store(VBstr(L"banana"), L"put", true), S_OK);    // put replaces
  EXPECT_EQ(Store(VBstr(L"cherry"), L"new", true), S_OK);    // or adds
  EXPECT_EQ(Store(Typed(VT_BSTR), L"nothing"), S_OK);        // a null string is the empty key
  EXPECT_EQ(Keys(), L",Apple,banana,cherry,readme,\u00C0,\u00E0");
  EXPECT_EQ(Item(VBstr(L"apple")) + Item(VBstr(L"banana")) + Item(VBstr(L"")), L"Appleputnothing");
}

// Types no script engine passes by name; Empty, Null, arrays and objects are the sweep's.
TEST_F(Dictionary, ItemKeyTypes) {
  Store(VBstr(L"a"), L"first");
  Store(VBstr(L"b"), L"second");
  LONG two = 2;
  // Two references deep, or a reference to no known type: more than one resolving copy undoes.
  VARIANT name = VBstr(L"A"), inner = Ref(VT_VARIANT, &name), badType = Typed(0x7F);
  const std::wstring range = L"<Index out of range.>", type = L"<Type not supported.>",
                     unresolved = L"<Could not resolve argument into simple type.>";
  const struct {
    const char* name;
    VARIANT key;
    std::wstring expected;
  } cases[] = {
      {"I4 1", VI4(1), L"first"},       {"I4 0", VI4(0), range},
      {"I4 Count + 1", VI4(3), range},  {"I2", Typed(VT_I2, 2), L"second"},
      {"UI4", Typed(VT_UI4, 2), L"second"}, {"R8 1.0", Typed(VT_R8, 0x3FF0000000000000), type},
      {"Boolean", VBool(true), type},   {"by-reference long", Ref(VT_I4, &two), L"second"},
      {"by-reference name", Ref(VT_VARIANT, &name), L"first"},
      {"two references deep", Ref(VT_VARIANT, &inner), unresolved},
      {"reference to no known type", Ref(VT_VARIANT, &badType), unresolved},
  };
  for (const auto& c : cases) EXPECT_EQ(Item(c.key), c.expected) << c.name;
  ::VariantClear(&name);
  Variant out;
  *out.get() = VI4(5);
  EXPECT_EQ(d->get_Item(Arg(VI4(1)).get(), nullptr), E_POINTER);
  EXPECT_EQ(d->get_Item(nullptr, out.get()), E_POINTER);
  EXPECT_EQ(out.type(), VT_EMPTY) << "the output is emptied first";
  EXPECT_EQ(d->Add(nullptr, out.get()), E_POINTER);
  EXPECT_EQ(d->get_Count(nullptr), E_POINTER);
}

TEST_F(Dictionary, OnlyAnObjectHandedOverByReferenceIsTakenOver) {
  bool handedGone = false, keptGone = false, duplicateGone = false, keyGone = false;
  IDispatch* handed = CountingDispatch::New(&handedGone);
  CountingDispatch* handedObject = static_cast<CountingDispatch*>(handed);
  CountingDispatch* kept = CountingDispatch::New(&keptGone);
  Arg key(VBstr(L"handed")), objectKey(Typed(VT_DISPATCH, reinterpret_cast<ULONG64>(CountingDispatch::New(&keyGone))));
  VARIANT handover = ByReference(&handed);
  for (const bool put : {false, true}) {  // a refused key: nothing taken, the key not kept
    EXPECT_EQ(Outcome(put ? d->put_Item(objectKey.get(), &handover) : d->Add(objectKey.get(), &handover)),
              L"<Key must be a string.>");
    EXPECT_EQ(handed, static_cast<IDispatch*>(handedObject)) << "a failed call takes nothing";
  }
  objectKey.put();
  EXPECT_TRUE(keyGone);
  EXPECT_EQ(Keys(), L"");
  ASSERT_EQ(d->Add(key.get(), &handover), S_OK);
  EXPECT_EQ(handed, nullptr) << "the handed-over pointer is cleared";
  EXPECT_EQ(handedObject->refs(), 1) << "the dictionary is the only holder";

  IDispatch* duplicate = CountingDispatch::New(&duplicateGone);
  VARIANT second = ByReference(&duplicate);
  ASSERT_EQ(d->Add(key.get(), &second), S_OK);
  EXPECT_TRUE(duplicateGone) << "the object of a duplicate key is released at once";

  VARIANT byValue = Typed(VT_DISPATCH, reinterpret_cast<ULONG64>(kept));
  *key.put() = VBstr(L"kept");
  ASSERT_EQ(d->Add(key.get(), &byValue), S_OK);
  EXPECT_EQ(V_DISPATCH(&byValue), kept) << "a value passed by value stays the caller's";
  EXPECT_EQ(kept->refs(), 2);
  ASSERT_EQ(d->put_Item(key.get(), &byValue), S_OK);
  EXPECT_EQ(kept->refs(), 2) << "put copies, and releases the item it replaces";

  Variant read;
  ASSERT_EQ(d->get_Item(Arg(VBstr(L"HANDED")).get(), read.get()), S_OK);
  EXPECT_EQ(V_DISPATCH(read.get()), static_cast<IDispatch*>(handedObject));
  EXPECT_EQ(handedObject->refs(), 2) << "a read gives the caller a reference of its own";
  read.put();
  d.reset();
  EXPECT_TRUE(handedGone) << "released with the dictionary";
  EXPECT_EQ(kept->refs(), 1);
  kept->Release();
}

TEST_F(Dictionary, ItemsArrayAndEnumeratorHoldTheirOwnReferences) {
  bool gone = false;
  CountingDispatch* object = CountingDispatch::New(&gone);
  Arg item(Typed(VT_DISPATCH, reinterpret_cast<ULONG64>(object)));
  ASSERT_EQ(d->putref_Item(Arg(VBstr(L"o")).get(), item.get()), S_OK) << "Set d(key) = object";
  item.put();
  Variant items;
  ASSERT_EQ(d->Items(items.get()), S_OK);
  ComPtr<IEnumVARIANT> e = EnumeratorOf(d.get());
  EXPECT_EQ(object->refs(), 3) << "the dictionary, the array and the enumerator's copy";
  d.reset();
  items.put();
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_FALSE) << "a live enumerator keeps the module";
  ComPtr<IDispatch> notThere;
  EXPECT_EQ(e.As(&notThere), E_NOINTERFACE) << "an enumerator is not a dispatch object";
  Variant next;
  ASSERT_EQ(e->Next(1, next.get(), nullptr), S_OK);
  EXPECT_EQ(V_DISPATCH(next.get()), static_cast<IDispatch*>(object));
  next.put();
  EXPECT_FALSE(gone);
  e.reset();
  EXPECT_TRUE(gone);
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_OK);
}

TEST_F(Dictionary, RemoveAndRemoveAllReleaseItemsOutsideTheLock) {
  LONG countSeenOnRelease = -1;
  bool gone = false;
  // The item's destruction reads the dictionary: released under the dictionary's lock, it would
  // deadlock here.
  auto addReadingObject = [&] {
    IDispatch* object = CountingDispatch::New(&gone, [&] { d->get_Count(&countSeenOnRelease); });
    VARIANT handover = ByReference(&object);
    ASSERT_EQ(d->Add(Arg(VBstr(L"b")).get(), &handover), S_OK);
  };
  for (const wchar_t* key : {L"a", L"c"}) Store(VBstr(key), key);
  addReadingObject();
  EXPECT_EQ(Outcome(d->Remove(Arg(VBstr(L"B")).get())), L"ok");
  EXPECT_TRUE(gone);
  EXPECT_EQ(countSeenOnRelease, 2);

  addReadingObject();
  ASSERT_EQ(d->RemoveAll(), S_OK);
  EXPECT_TRUE(gone);
  EXPECT_EQ(countSeenOnRelease, 0);
}

// Renames to new keys, onto others and of missing keys are the page scripts'.
TEST_F(Dictionary, KeyChangesTheLettersOfAKeyAndRefusesWithoutChange) {
  for (const wchar_t* key : {L"apple", L"banana"}) Store(VBstr(key), key);
  EXPECT_EQ(Outcome(d->put_Key(Arg(VBstr(L"BANANA")).get(), Arg(VBstr(L"Banana")).get())), L"ok");
  EXPECT_EQ(Outcome(d->put_Key(Arg(VBstr(L"banana")).get(), Arg(VBstr(L"APPLE")).get())),
            L"<Another item already has the new key.>");
  EXPECT_EQ(Keys() + L" " + Item(VBstr(L"banana")), L"apple,Banana banana");
}

TEST_F(Dictionary, EnumeratorNextSkipResetAndClone) {
  for (const wchar_t* key : {L"b.txt", L"A.txt", L"_c.txt"}) Store(VBstr(key), key);
  ComPtr<IEnumVARIANT> e = EnumeratorOf(d.get());
  Store(VBstr(L"0"), L"0");
  Store(VBstr(L"b.txt"), L"changed", true);
  EXPECT_EQ(Next(e.get(), 2), L"_c.txt|A.txt") << "a copy taken when it was made";
  EXPECT_EQ(Next(e.get(), 2), L"b.txt.") << "fewer than asked";
  EXPECT_EQ(Next(e.get(), 1), L".");
  EXPECT_EQ(Next(EnumeratorOf(New().get()).get(), 1), L".") << "an empty dictionary";

  e->Reset();
  VARIANT items[2];
  EXPECT_EQ(e->Next(1, nullptr, nullptr), E_POINTER);
  EXPECT_EQ(e->Next(2, items, nullptr), E_POINTER) << "a count other than 1 needs the out-count";
  ASSERT_EQ(e->Next(1, items, nullptr), S_OK) << "one item needs no out-count";
  EXPECT_EQ(com::View(V_BSTR(&items[0])), L"_c.txt") << "the refused calls did not advance";
  ::VariantClear(&items[0]);

  EXPECT_EQ(e->Skip(2), S_FALSE) << "reaching the end";
  EXPECT_EQ(Next(e.get(), 1), L".");
  EXPECT_EQ(e->Reset(), S_OK);
  EXPECT_EQ(e->Skip(7), S_FALSE) << "passing the end stops at it";
  EXPECT_EQ(Next(e.get(), 3), L".");
  e->Reset();
  EXPECT_EQ(e->Skip(0), S_OK);
  EXPECT_EQ(Next(e.get(), 1), L"_c.txt");
  EXPECT_EQ(e->Skip(1), S_OK);

  ComPtr<IEnumVARIANT> clone;
  EXPECT_EQ(e->Clone(nullptr), E_POINTER);
  ASSERT_EQ(e->Clone(clone.put()), S_OK);
  EXPECT_EQ(Next(clone.get(), 3), L"b.txt.") << "the clone starts where it was made";
  EXPECT_EQ(Next(e.get(), 3), L"b.txt.") << "and moves on its own";
  clone->Reset();
  EXPECT_EQ(Next(EnumeratorOf(d.get()).get(), 5), L"0|_c.txt|A.txt|changed.");
  d.reset();
  e.reset();
  EXPECT_EQ(Next(clone.get(), 3), L"_c.txt|A.txt|b.txt") << "clones outlive the dictionary";
}

// Listings, drives, scripts and the argument sweep read collections a folder or the service made;
// here, what they cannot reach: the elements handed over and what a failed Item leaves.
IUnknown* IdentityOf(IUnknown* object) {  // compared only while the collection holds the object
  ComPtr<IUnknown> identity;
  object->QueryInterface(IID_IUnknown, identity.put_void());
  return identity.get();
}

template <class Collection, class Init, class Element>
void CheckCollection(const CLSID& collectionId, const CLSID& elementId) {
  SCOPED_TRACE(typeid(Collection).name());
  ComPtr<Collection> collection;
  ComPtr<Init> init;
  ASSERT_EQ(LoadedModule::Default().Create(collectionId, collection.put()), S_OK);
  ASSERT_EQ(collection.As(&init), S_OK);
  // Adds `object` (a new element when null) under `name`, handed over by reference; its identity.
  auto add = [&](const wchar_t* name, IDispatch* object = nullptr) {
    if (!object) LoadedModule::Default().CreateRaw(elementId, IID_IDispatch, reinterpret_cast<void**>(&object));
    IUnknown* identity = IdentityOf(object);
    VARIANT handover = ByReference(&object);
    EXPECT_EQ(init->Add(Arg(VBstr(name)).get(), &handover), S_OK);
    return identity;
  };
  // Item(key) (the key is freed here): the element's identity, or null and the failure's text.
  std::wstring failure;
  auto item = [&](VARIANT key) -> IUnknown* {
    Element* element = reinterpret_cast<Element*>(1);
    ClearError();
    const HRESULT hr = collection->get_Item(key, &element);
    ::VariantClear(&key);
    if (FAILED(hr)) {
      EXPECT_EQ(element, nullptr) << "a failed Item leaves no element";
      failure = TakeError().description;
      return nullptr;
    }
    ComPtr<Element> owner = ComPtr<Element>::Attach(element);
    return IdentityOf(element);
  };

  IUnknown* b = add(L"b.txt");
  IUnknown* a = add(L"A.txt");
  bool destroyed = false;
  CountingDispatch* object = CountingDispatch::New(&destroyed);
  add(L"_c.txt", object);
  EXPECT_EQ(object->refs(), 1) << "the collection is the only holder";
  EXPECT_EQ(item(VI4(2)), a) << "underscore first";
  EXPECT_EQ(item(VBstr(L"B.TXT")), b);
  EXPECT_EQ(item(VI4(4)), nullptr);
  EXPECT_EQ(failure, L"Index out of range.");
  EXPECT_EQ(item(VI4(1)), nullptr) << "an item that is no element is not one";
  EXPECT_EQ(object->refs(), 1) << "the temporary copy is released on that path too";
  EXPECT_EQ(collection->get_Item(VI4(1), nullptr), E_POINTER);
  EXPECT_EQ(CallByName(collection.get(), L"Item", DISPATCH_PROPERTYGET, {VBstr(L"missing")}).source,
            L"Docket.Dictionary.1") << "the inner dictionary's report, unchanged";
  init.reset();
  EXPECT_FALSE(destroyed);
  collection.reset();
  EXPECT_TRUE(destroyed);
}

TEST(KeyedCollection, FilesFoldersAndDrives) {
  CheckCollection<IFileCollection, IFileCollectionInit, IFile>(CLSID_Files, CLSID_File);
  CheckCollection<IFolderCollection, IFolderCollectionInit, IFolder>(CLSID_Folders, CLSID_Folder);
  CheckCollection<IDriveCollection, IDriveCollectionInit, IDrive>(CLSID_Drives, CLSID_Drive);
}

}  // namespace
}  // namespace docket::test
