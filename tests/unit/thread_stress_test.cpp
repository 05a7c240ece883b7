// Eight threads share one Dictionary, one FileManager and the module's class objects, as the
// threads of a web server share application-wide objects, and call them both through their
// interfaces and by name (IDispatch, whose type information the first calls race to load).
// Afterwards the dictionary must hold exactly what the threads left in it, and nothing of the
// module may be left alive.
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
  ComPtr<IDictionary> dictionary;
  ComPtr<IFileManager> manager;
  ComPtr<IDispatch> dictionaryByName, managerByName;  // the same objects, called as a script calls them
  std::wstring root;
  std::atomic<long long> calls{0};
  std::mutex mutex;
  std::vector<std::string> problems;
};

std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }

bool IsText(const VARIANT* v, std::wstring_view text) {
  return V_VT(v) == VT_BSTR && com::View(V_BSTR(v)) == text;
}

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
    if (ok) return;
    std::lock_guard<std::mutex> lock(shared_.mutex);
    if (shared_.problems.size() < 20) shared_.problems.push_back("thread " + std::to_string(index_) + ": " + what);
  }

  // Counts a call; true when it answered S_OK.
  bool Ok(HRESULT hr) {
    ++calls_;
    return hr == S_OK;
  }
  bool CallOk(IDispatch* object, const wchar_t* name, const std::wstring& argument, VARIANT* result) {
    return Ok(CallByName(object, name, DISPATCH_METHOD, {VBstr(argument.c_str())}, result).hr);
  }

  void DictionaryRound(int round) {
    IDictionary* d = shared_.dictionary.get();
    const std::wstring key = KeyOf(round);
    Variant k, item, exists, read;
    *k.get() = VBstr(key.c_str());
    *item.get() = VBstr(key.c_str());
    Expect(Ok(d->Add(k.get(), item.get())), "Add " + Narrow(key));
    live_.insert(key);
    Expect(CallOk(shared_.dictionaryByName.get(), L"Exists", key, exists.get()) &&
               V_VT(exists.get()) == VT_BOOL && V_BOOL(exists.get()) == VARIANT_TRUE,
           "Exists " + Narrow(key));
    Expect(Ok(d->get_Item(k.get(), read.get())) && IsText(read.get(), key), "Item " + Narrow(key));

    if (round % 3 == 2) {  // two of every three keys stay
      Variant oldest;
      *oldest.get() = VBstr(live_.begin()->c_str());
      Expect(Ok(d->Remove(oldest.get())), "Remove " + Narrow(*live_.begin()));
      live_.erase(live_.begin());
    }

    // By position: the others add and remove meanwhile, so the position may have gone; the
    // answer is then the dictionary's own refusal, never anything else.
    LONG count = 0;
    Expect(Ok(d->get_Count(&count)) && count >= static_cast<LONG>(live_.size()), "Count");
    if (count < 1) return;
    Variant position, atPosition;
    *position.get() = VI4(1 + (round * 7919) % count);
    const HRESULT hr = d->get_Item(position.get(), atPosition.get());
    Expect(!Ok(hr) ? hr == DISP_E_EXCEPTION
                   : atPosition.type() == VT_BSTR && V_BSTR(atPosition.get())[0] == L't',
           "Item at a position");
  }

  void PathRound() {
    IFileManager* fm = shared_.manager.get();
    const std::wstring file = folder_ + L"\\f.txt";
    Bstr folder(folder_), name(L"f.txt"), path(file), built, parent, base;
    Variant extension;
    Expect(Ok(fm->BuildPath(folder.get(), name.get(), built.put())) && built.view() == file,
           "BuildPath");
    Expect(Ok(fm->GetParentFolderName(path.get(), parent.put())) && parent.view() == folder_,
           "GetParentFolderName");
    Expect(CallOk(shared_.managerByName.get(), L"GetExtensionName", file, extension.get()) &&
               IsText(extension.get(), L"txt"),
           "GetExtensionName");
    Expect(Ok(fm->GetBaseName(path.get(), base.put())) && base.view() == L"f", "GetBaseName");
  }

  void ClassRound(int round) {
    const CLSID& clsid = *kClasses[(round + index_) % std::size(kClasses)];
    ComPtr<IClassFactory> factory;
    ComPtr<IUnknown> object;
    ComPtr<IDispatch> dispatch;
    Expect(Ok(LoadedModule::Default().GetClassObject(clsid, IID_IClassFactory, factory.put_void())) &&
               Ok(factory->CreateInstance(nullptr, IID_IUnknown, object.put_void())) &&
               Ok(object.As(&dispatch)),
           "a class object creates an object that answers IDispatch");
  }

  void FileRound(int round) {
    IFileManager* fm = shared_.manager.get();
    const std::wstring key = KeyOf(round);
    Bstr path(folder_ + L"\\f" + std::to_wstring(round) + L".txt"), text(key), line;
    ComPtr<ITextStream> out, in;
    VARIANT_BOOL exists = VARIANT_FALSE;
    Expect(Ok(fm->CreateTextFile(path.get(), VARIANT_TRUE, VARIANT_FALSE, out.put())) &&
               Ok(out->WriteLine(text.get())) && Ok(out->Close()),
           "CreateTextFile, WriteLine, Close");
    Expect(Ok(fm->FileExists(path.get(), &exists)) && exists == VARIANT_TRUE, "FileExists after creation");
    Expect(Ok(fm->OpenTextFile(path.get(), ForReading, VARIANT_FALSE, TristateFalse, in.put())) &&
               Ok(in->ReadLine(line.put())) && line.view() == key,
           "OpenTextFile, ReadLine");
    out.reset();
    in.reset();
    Expect(Ok(fm->DeleteFile(path.get(), VARIANT_FALSE)), "DeleteFile");
    Expect(Ok(fm->FileExists(path.get(), &exists)) && exists == VARIANT_FALSE, "FileExists after deletion");
  }

  // A file that stays, then the folder's listing: exactly the files kept so far.
  void ListingRound(int round) {
    IFileManager* fm = shared_.manager.get();
    Bstr kept(folder_ + L"\\keep" + std::to_wstring(round) + L".txt"), folder(folder_);
    Expect(Ok(fm->CreateFile(kept.get(), VARIANT_TRUE)), "CreateFile");
    ++kept_;
    ComPtr<IFolder> here;
    ComPtr<IFileCollection> files;
    LONG count = -1;
    Expect(Ok(fm->GetFolder(folder.get(), here.put())) && Ok(here->get_Files(files.put())) &&
               Ok(files->get_Count(&count)) && count == kept_,
           "listing of " + std::to_string(kept_) + " files");
  }

  // For Each: a snapshot in key order that holds exactly this thread's live keys.
  void Enumerate() {
    ComPtr<IUnknown> unknown;
    ComPtr<IEnumVARIANT> items;
    Variant keys;
    Expect(Ok(shared_.dictionary->Keys(keys.get())), "Keys");
    if (!Ok(shared_.dictionary->get__NewEnum(unknown.put())) || !Ok(unknown.As(&items)))
      return Expect(false, "_NewEnum");
    std::vector<std::wstring> seen;
    VARIANT batch[64];
    for (bool more = true; more;) {
      ULONG fetched = 0;
      more = Ok(items->Next(64, batch, &fetched));
      for (ULONG i = 0; i < fetched; ++i) {
        seen.emplace_back(V_VT(&batch[i]) == VT_BSTR ? V_BSTR(&batch[i]) : L"");
        ::VariantClear(&batch[i]);
      }
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
  Shared shared;
  shared.root = dir.path();
  ASSERT_EQ(LoadedModule::Default().Create(CLSID_Dictionary, shared.dictionary.put()), S_OK);
  shared.manager = NewManager();
  ASSERT_TRUE(shared.manager);
  ASSERT_EQ(shared.dictionary.As(&shared.dictionaryByName), S_OK);
  ASSERT_EQ(shared.manager.As(&shared.managerByName), S_OK);

  std::vector<Worker> workers;
  for (int i = 0; i < kThreads; ++i) workers.emplace_back(shared, i);
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::thread> threads;
  for (Worker& worker : workers) threads.emplace_back([&worker] { worker.Run(); });
  for (std::thread& thread : threads) thread.join();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  for (const std::string& problem : shared.problems) ADD_FAILURE() << problem;
  EXPECT_GE(shared.calls.load(), 100000);
  std::printf("thread stress: %lld calls from %d threads in %.2f s, %.0f calls per second\n",
              shared.calls.load(), kThreads, seconds, shared.calls.load() / seconds);

  // What is left is exactly the union of what each thread left, in key order.
  std::set<std::wstring> expected;
  for (const Worker& worker : workers) expected.insert(worker.liveKeys().begin(), worker.liveKeys().end());
  Variant keys;
  ASSERT_EQ(shared.dictionary->Keys(keys.get()), S_OK);
  SAFEARRAY* array = V_ARRAY(keys.get());
  const VARIANT* elements = static_cast<const VARIANT*>(array->pvData);
  std::vector<std::wstring> left;
  for (ULONG i = 0; i < array->rgsabound[0].cElements; ++i) left.emplace_back(V_BSTR(&elements[i]));
  EXPECT_TRUE(std::equal(left.begin(), left.end(), expected.begin(), expected.end()))
      << left.size() << " keys left, " << expected.size() << " expected";

  shared.dictionary.reset();
  shared.manager.reset();
  shared.dictionaryByName.reset();
  shared.managerByName.reset();
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_OK) << "every object of the module is gone";
}

}  // namespace
}  // namespace docket::test
