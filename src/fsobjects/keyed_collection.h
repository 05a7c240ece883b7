// What the Files, Folders and Drives collections share: their items live in an inner Dictionary,
// made when the collection is constructed, and Item, Count, _NewEnum and the initialisation
// interface's Add are answered by it. A collection class only names its interfaces:
//
//   class FileCollection final
//       : public KeyedCollection<FileCollection, IFileCollection, IFileCollectionInit, IFile> {...};
//
// The collection itself never changes after its maker has filled it and sealed it (a collection a
// client created by name is simply empty), and the Dictionary guards its own entries, so the
// collection needs no lock of its own.
#pragma once

#include "com/ansi.h"
#include "com/com_object.h"
#include "com/com_ptr.h"
#include "com/guard.h"
#include "com/variant.h"

#include <atomic>
#include <string_view>

namespace docket {

namespace keyed_collection {
// A new inner Dictionary; any failure to make one counts as a lack of memory.
HRESULT CreateStore(com::ComPtr<IDictionary>* store);
// The item's dispatch pointer asked for the collection's element interface.
HRESULT QueryElement(const VARIANT& item, REFIID iid, void** element);

// Adds an object under a key given in the system code page, as its maker fills a collection. A
// successful Add takes over the dispatch reference passed to it by pointer (and clears the
// pointer), so that the collection is left as the object's only holder once the caller drops its
// own reference; a failed one leaves it here to be released.
template <class CollectionInit>
HRESULT AddObject(CollectionInit* collection, std::string_view key, IUnknown* object) {
  com::Variant keyText;
  V_BSTR(keyText.get()) = com::AnsiToBstr(key).release();
  V_VT(keyText.get()) = VT_BSTR;
  IDispatch* handed = nullptr;
  DOCKET_RETURN_IF_FAILED(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&handed)));
  VARIANT item;
  ::VariantInit(&item);
  V_VT(&item) = VT_BYREF | VT_DISPATCH;
  V_DISPATCHREF(&item) = &handed;
  const HRESULT added = collection->Add(keyText.get(), &item);
  if (handed) handed->Release();
  return added;
}
}  // namespace keyed_collection

template <class Derived, class Collection, class CollectionInit, class Element>
class KeyedCollection : public com::ComObject<Derived, Collection, CollectionInit> {
 public:
  HRESULT FinalConstruct() { return keyed_collection::CreateStore(&store_); }

  // Collection
  STDMETHODIMP get_Item(VARIANT Key, Element** element) override {
    if (!element) return E_POINTER;
    *element = nullptr;
    com::Variant item;  // the temporary copy goes on every path
    // A name or a 1-based position; the Dictionary's failures are returned unchanged.
    DOCKET_RETURN_IF_FAILED(store_->get_Item(&Key, item.get()));
    return keyed_collection::QueryElement(*item.get(), __uuidof(Element),
                                          reinterpret_cast<void**>(element));
  }
  STDMETHODIMP get__NewEnum(IUnknown** enumerator) override {
    return store_->get__NewEnum(enumerator);
  }
  STDMETHODIMP get_Count(LONG* count) override { return store_->get_Count(count); }

  // CollectionInit: the Dictionary's Add, which takes an object passed by reference over; refused
  // once the collection is sealed.
  STDMETHODIMP Add(VARIANT* key, VARIANT* item) override {
    if (sealed_.load(std::memory_order_acquire)) return E_UNEXPECTED;
    return store_->Add(key, item);
  }

  // The maker's last step before it hands the collection out: from now on it holds what it holds.
  void Seal() { sealed_.store(true, std::memory_order_release); }

 private:
  com::ComPtr<IDictionary> store_;
  std::atomic<bool> sealed_{false};
};

}  // namespace docket
