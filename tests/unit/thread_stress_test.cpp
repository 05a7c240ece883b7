// Eight threads share one Dictionary, one FileManager and the module's class objects, as the
// threads of a web server share application-wide objects, and call them both through their
// interfaces and by name (IDispatch, whose type information the first calls race to load). Afterwards the dictionary must hold
// exactly what the threads left in it, and nothing of the module may be left alive.
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace docket::test {
namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 1000;  // per thread; about 16 calls each
constexpr int kFileEvery = 8;
constexpr int kListingEvery = 64;
constexpr int kEnumerateEvery = 16;

const CLSID* const kClasses[] = {&CLSID_FileManager, &CLSID_File,         &CLSID_Files,
                                 &CLSID_Folder,      &CLSID_Dictionary,   &CLSID_Folders,
                                 &CLSID_Drive,       &CLSID_Drives,       &CLSID_TextStream,
                                 &CLSID_BinaryStream};

// What every thread reaches, and what they report back.
struct Shared {
  IDictionary* dictionary = nullptr;
  IFileManager* manager = nullptr;
  IDispatch* dictionaryByName = nullptr;  // the same objects, called as a script calls them
  IDispatch* managerByName = nullptr;
  std::wstring root;
  std::atomic<long long> calls{0};
  std::mutex mutex;
  std::vector<std::string> problems;

  void Problem(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex);
    if (problems.size() < 20) problems.push_back(text);
  }
};

std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }

// One thread's share of the work. Its keys ("t3-00042") and its folder are its own, so what it
// sees of them must be exact whatever the others do; what it sees of theirs only has to be
// well-formed.
class Worker {
 public:
  Worker(Shared& shared, int index)
      : shared_(shared), index_(index), folder_(shared.root + L"\\t" + std::to_wstring(index)) {}

  void Run() {
    ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ::CreateDirectoryW(folder_.c_str(), nullptr);
    for (int round = 0; round < kRounds; ++round) {
      DictionaryRound(round);
      PathRound();
      ClassRound(round);
      if (round % kFileEvery == 0) FileRound(round);
      if (round % kListingEvery == 0) ListingRound(round);
      if (round % kEnumerateEvery == 0) Enumerate();
    }
    shared_.calls += calls_;
    ::CoUninitialize();
  }

  const std::set<std::wstring>& liveKeys() const { return live_; }

 private:
  std::wstring KeyOf(int round) const {
    wchar_t text[32];
    std::swprintf(text, 32, L"t%d-%05d", index_, round);
    return text;
  }

  void Expect(bool ok, const std::string& what) {
    if (!ok) shared_.Problem("thread " + std::to_string(index_) + ": " + what);
  }

  HRESULT Count(HRESULT hr) {
    ++calls_;
    return hr;
  }

  void DictionaryRound(int round) {
    IDictionary* d = shared_.dictionary;
    const std::wstring key = KeyOf(round);
    Variant k, item;
    V_VT(k.get()) = VT_BSTR;
    V_BSTR(k.get()) = ::SysAllocString(key.c_str());
    V_VT(item.get()) = VT_BSTR;
    V_BSTR(item.get()) = ::SysAllocString(key.c_str());
    Expect(Count(d->Add(k.get(), item.get())) == S_OK, "Add " + Narrow(key));
    live_.insert(key);

    Variant exists;
    Expect(Count(CallByName(shared_.dictionaryByName, L"Exists", DISPATCH_METHOD,
                            {VBstr(key.c_str())}, exists.get())
                     .hr) == S_OK &&
               exists.type() == VT_BOOL && V_BOOL(exists.get()) == VARIANT_TRUE,
           "Exists " + Narrow(key));
    Variant read;
    Expect(Count(d->get_Item(k.get(), read.get())) == S_OK && read.type() == VT_BSTR &&
               key == V_BSTR(read.get()),
           "Item " + Narrow(key));

    if (round % 3 == 2) {  // two of every three keys stay
      Variant oldest;
      V_VT(oldest.get()) = VT_BSTR;
      V_BSTR(oldest.get()) = ::SysAllocString(live_.begin()->c_str());
      Expect(Count(d->Remove(oldest.get())) == S_OK, "Remove " + Narrow(*live_.begin()));
      live_.erase(live_.begin());
    }

    // By position: the others add and remove meanwhile, so the position may have gone; the
    // answer is then the dictionary's own refusal, never anything else.
    LONG count = 0;
    Expect(Count(d->get_Count(&count)) == S_OK && count >= static_cast<LONG>(live_.size()),
           "Count");
    if (count < 1) return;
    Variant position, atPosition;
    V_VT(position.get()) = VT_I4;
    V_I4(position.get()) = 1 + (round * 7919) % count;
    const HRESULT hr = Count(d->get_Item(position.get(), atPosition.get()));
    Expect(hr == DISP_E_EXCEPTION ||
               (hr == S_OK && atPosition.type() == VT_BSTR && V_BSTR(atPosition.get())[0] == L't'),
           "Item at a position");
  }

  void PathRound() {
    IFileManager* fm = shared_.manager;
    const std::wstring file = folder_ + L"\\f.txt";
    Bstr folder(folder_), name(L"f.txt"), path(file), built, parent, base;
    Expect(Count(fm->BuildPath(folder.get(), name.get(), built.put())) == S_OK &&
               built.view() == file,
           "BuildPath");
    Expect(Count(fm->GetParentFolderName(path.get(), parent.put())) == S_OK &&
               parent.view() == folder_,
           "GetParentFolderName");
    Variant extension;
    Expect(Count(CallByName(shared_.managerByName, L"GetExtensionName", DISPATCH_METHOD,
                            {VBstr(file.c_str())}, extension.get())
                     .hr) == S_OK &&
               extension.type() == VT_BSTR && std::wstring(V_BSTR(extension.get())) == L"txt",
           "GetExtensionName");
    Expect(Count(fm->GetBaseName(path.get(), base.put())) == S_OK && base.view() == L"f",
           "GetBaseName");
  }

  void ClassRound(int round) {
    const CLSID& clsid = *kClasses[(round + index_) % std::size(kClasses)];
    ComPtr<IClassFactory> factory;
    Expect(Count(LoadedModule::Default().GetClassObject(clsid, IID_IClassFactory,
                                                        factory.put_void())) == S_OK,
           "DllGetClassObject");
    if (!factory) return;
    ComPtr<IUnknown> object;
    Expect(Count(factory->CreateInstance(nullptr, IID_IUnknown, object.put_void())) == S_OK,
           "CreateInstance");
    ComPtr<IDispatch> dispatch;
    if (object) Expect(Count(object.As(&dispatch)) == S_OK, "QueryInterface");
  }

  void FileRound(int round) {
    IFileManager* fm = shared_.manager;
    const std::wstring key = KeyOf(round);
    Bstr path(folder_ + L"\\f" + std::to_wstring(round) + L".txt"), text(key);
    {
      ComPtr<ITextStream> out;
      Expect(Count(fm->CreateTextFile(path.get(), VARIANT_TRUE, VARIANT_FALSE, out.put())) == S_OK,
             "CreateTextFile");
      if (!out) return;
      Expect(Count(out->WriteLine(text.get())) == S_OK, "WriteLine");
      Expect(Count(out->Close()) == S_OK, "Close");
    }
    VARIANT_BOOL exists = VARIANT_FALSE;
    Expect(Count(fm->FileExists(path.get(), &exists)) == S_OK && exists == VARIANT_TRUE,
           "FileExists after creation");
    {
      ComPtr<ITextStream> in;
      Bstr line;
      Expect(Count(fm->OpenTextFile(path.get(), ForReading, VARIANT_FALSE, TristateFalse,
                                    in.put())) == S_OK,
             "OpenTextFile");
      if (in) Expect(Count(in->ReadLine(line.put())) == S_OK && line.view() == key, "ReadLine");
    }
    Expect(Count(fm->DeleteFile(path.get(), VARIANT_FALSE)) == S_OK, "DeleteFile");
    Expect(Count(fm->FileExists(path.get(), &exists)) == S_OK && exists == VARIANT_FALSE,
           "FileExists after deletion");
  }

  // A file that stays, then the folder's listing: exactly the files kept so far.
  void ListingRound(int round) {
    IFileManager* fm = shared_.manager;
    Bstr kept(folder_ + L"\\keep" + std::to_wstring(round) + L".txt"), folder(folder_);
    Expect(Count(fm->CreateFile(kept.get(), VARIANT_TRUE)) == S_OK, "CreateFile");
    ++kept_;
    ComPtr<IFolder> here;
    ComPtr<IFileCollection> files;
    LONG count = -1;
    Expect(Count(fm->GetFolder(folder.get(), here.put())) == S_OK && here &&
               Count(here->get_Files(files.put())) == S_OK && files &&
               Count(files->get_Count(&count)) == S_OK && count == kept_,
           "listing of " + std::to_string(kept_) + " files");
  }

  // For Each: a snapshot in key order that holds exactly this thread's live keys.
  void Enumerate() {
    ComPtr<IUnknown> unknown;
    ComPtr<IEnumVARIANT> items;
    if (Count(shared_.dictionary->get__NewEnum(unknown.put())) != S_OK ||
        Count(unknown.As(&items)) != S_OK) {
      Expect(false, "_NewEnum");
      return;
    }
    std::vector<std::wstring> seen;
    VARIANT batch[64];
    for (;;) {
      ULONG fetched = 0;
      const HRESULT hr = Count(items->Next(64, batch, &fetched));
      for (ULONG i = 0; i < fetched; ++i) {
        seen.emplace_back(V_VT(&batch[i]) == VT_BSTR ? V_BSTR(&batch[i]) : L"");
        ::VariantClear(&batch[i]);
      }
      if (hr != S_OK) break;
    }
    Expect(std::is_sorted(seen.begin(), seen.end()) &&
               std::adjacent_find(seen.begin(), seen.end()) == seen.end(),
           "For Each yields every key once, in key order");
    const std::wstring mine = L"t" + std::to_wstring(index_) + L"-";
    std::set<std::wstring> own;
    for (const std::wstring& key : seen)
      if (key.compare(0, mine.size(), mine) == 0) own.insert(key);
    Expect(own == live_, "For Each sees exactly this thread's keys");
  }

  Shared& shared_;
  const int index_;
  const std::wstring folder_;
  std::set<std::wstring> live_;
  long long calls_ = 0;
  LONG kept_ = 0;
};

TEST(ThreadStress, EightThreadsShareADictionaryAFileManagerAndTheClassObjects) {
  ScratchDir dir;
  const LoadedModule& module = LoadedModule::Default();
  Shared shared;
  shared.root = dir.path();
  ComPtr<IDictionary> dictionary;
  ASSERT_EQ(module.Create(CLSID_Dictionary, dictionary.put()), S_OK);
  ComPtr<IFileManager> manager = NewManager();
  ASSERT_TRUE(manager);
  ComPtr<IDispatch> dictionaryByName, managerByName;
  ASSERT_EQ(dictionary.As(&dictionaryByName), S_OK);
  ASSERT_EQ(manager.As(&managerByName), S_OK);
  shared.dictionary = dictionary.get();
  shared.manager = manager.get();
  shared.dictionaryByName = dictionaryByName.get();
  shared.managerByName = managerByName.get();

  std::vector<Worker> workers;
  for (int i = 0; i < kThreads; ++i) workers.emplace_back(shared, i);
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::thread> threads;
  for (Worker& worker : workers) threads.emplace_back([&worker] { worker.Run(); });
  for (std::thread& thread : threads) thread.join();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  for (const std::string& problem : shared.problems) ADD_FAILURE() << problem;
  EXPECT_GE(shared.calls.load(), 100000);
  std::printf("thread stress: %lld calls from %d threads in %.2f s, %.0f calls per second\n",
              shared.calls.load(), kThreads, seconds, shared.calls.load() / seconds);

  // What is left is exactly the union of what each thread left.
  std::set<std::wstring> expected;
  for (const Worker& worker : workers) expected.insert(worker.liveKeys().begin(), worker.liveKeys().end());
  Variant keys;
  ASSERT_EQ(dictionary->Keys(keys.get()), S_OK);
  SAFEARRAY* array = V_ARRAY(keys.get());
  VARIANT* elements = nullptr;
  ASSERT_EQ(::SafeArrayAccessData(array, reinterpret_cast<void**>(&elements)), S_OK);
  std::vector<std::wstring> left;
  for (ULONG i = 0; i < array->rgsabound[0].cElements; ++i) left.emplace_back(V_BSTR(&elements[i]));
  ::SafeArrayUnaccessData(array);
  EXPECT_EQ(left.size(), expected.size());
  EXPECT_TRUE(std::equal(left.begin(), left.end(), expected.begin(), expected.end()))
      << "the keys left are the threads' live keys, in key order";

  dictionary.reset();
  manager.reset();
  dictionaryByName.reset();
  managerByName.reset();
  EXPECT_EQ(module.CanUnloadNow(), S_OK) << "every object of the module is gone";
}

}  // namespace
}  // namespace docket::test
