// The Files, Folders and Drives collections, filled through their private interface as their
// makers fill them.
#include "counting_dispatch.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace docket::test {
namespace {

// A collection class, its private interface and the class of its elements.
template <class CollectionT, class InitT, class ElementT, const CLSID* collectionId, const CLSID* elementId>
struct Kind {
  using Collection = CollectionT;
  using Init = InitT;
  using Element = ElementT;
  static const CLSID& CollectionId() { return *collectionId; }
  static const CLSID& ElementId() { return *elementId; }
};
using FilesKind = Kind<IFileCollection, IFileCollectionInit, IFile, &CLSID_Files, &CLSID_File>;
using FoldersKind = Kind<IFolderCollection, IFolderCollectionInit, IFolder, &CLSID_Folders, &CLSID_Folder>;
using DrivesKind = Kind<IDriveCollection, IDriveCollectionInit, IDrive, &CLSID_Drives, &CLSID_Drive>;

IUnknown* IdentityOf(IUnknown* object) {  // compared only while the collection holds the object
  ComPtr<IUnknown> identity;
  object->QueryInterface(IID_IUnknown, identity.put_void());
  return identity.get();
}

template <class Kind>
class KeyedCollection : public ::testing::Test {
 protected:
  using Element = typename Kind::Element;

  void SetUp() override {
    ASSERT_EQ(LoadedModule::Default().Create(Kind::CollectionId(), collection_.put()), S_OK);
    ASSERT_EQ(collection_.As(&init_), S_OK);
  }

  // Adds a new element object (File, Folder or Drive) under `name`, its dispatch pointer handed over by
  // reference; returns its identity.
  IUnknown* AddElement(const wchar_t* name) {
    IDispatch* element = nullptr;
    LoadedModule::Default().CreateRaw(Kind::ElementId(), IID_IDispatch,
                                      reinterpret_cast<void**>(&element));
    IUnknown* identity = IdentityOf(element);
    Variant key;
    *key.get() = VBstr(name);
    VARIANT handover = ByReference(&element);
    EXPECT_EQ(init_->Add(key.get(), &handover), S_OK);
    return identity;
  }

  // Item(key) (the key is freed here): the element's identity, or null and the failure's text.
  IUnknown* ItemOf(VARIANT key, std::wstring* failure = nullptr) {
    Element* element = reinterpret_cast<Element*>(1);
    ClearError();
    const HRESULT hr = collection_->get_Item(key, &element);
    ::VariantClear(&key);
    if (FAILED(hr)) {
      EXPECT_EQ(element, nullptr) << "a failed Item leaves no element";
      if (failure) *failure = TakeError().description;
      return nullptr;
    }
    ComPtr<Element> owner = ComPtr<Element>::Attach(element);
    return IdentityOf(element);
  }

  ComPtr<typename Kind::Collection> collection_;
  ComPtr<typename Kind::Init> init_;
};

using Kinds = ::testing::Types<FilesKind, FoldersKind, DrivesKind>;
TYPED_TEST_SUITE(KeyedCollection, Kinds);

// Listings, drives, scripts and the argument sweep read collections a folder or the service made;
// here, what they cannot reach: the elements handed over and what a failed Item leaves.
TYPED_TEST(KeyedCollection, ItemByNameWithoutCaseAndByPositionInKeyOrder) {
  IUnknown* b = this->AddElement(L"b.txt");
  IUnknown* a = this->AddElement(L"A.txt");
  IUnknown* c = this->AddElement(L"_c.txt");
  EXPECT_EQ(this->ItemOf(VI4(1)), c) << "underscore first";
  EXPECT_EQ(this->ItemOf(VI4(2)), a);
  EXPECT_EQ(this->ItemOf(VBstr(L"B.TXT")), b);
  std::wstring failure;
  EXPECT_EQ(this->ItemOf(VI4(4), &failure), nullptr);
  EXPECT_EQ(failure, L"Index out of range.");
  EXPECT_EQ(this->collection_->get_Item(VI4(1), nullptr), E_POINTER);
  const CallResult call =
      CallByName(this->collection_.get(), L"Item", DISPATCH_PROPERTYGET, {VBstr(L"missing")});
  EXPECT_EQ(call.source, L"Docket.Dictionary.1") << "the inner dictionary's report, unchanged";
}

TYPED_TEST(KeyedCollection, OwnsWhatItIsGivenForItsWholeLife) {
  bool destroyed = false;
  IDispatch* held = CountingDispatch::New(&destroyed);
  CountingDispatch* object = static_cast<CountingDispatch*>(held);
  Variant key;
  *key.get() = VBstr(L"dummy");
  VARIANT handover = ByReference(&held);
  ASSERT_EQ(this->init_->Add(key.get(), &handover), S_OK);
  EXPECT_EQ(object->refs(), 1) << "the collection is the only holder";
  EXPECT_EQ(this->ItemOf(VBstr(L"dummy")), nullptr) << "an item that is no element is not one";
  EXPECT_EQ(object->refs(), 1) << "the temporary copy is released on that path too";
  this->init_.reset();
  EXPECT_FALSE(destroyed);
  this->collection_.reset();
  EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace docket::test
