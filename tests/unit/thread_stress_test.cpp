// Eight threads share one Dictionary, one FileManager and the module's class objects, as the
// threads of a web server share application-wide objects, and call them through their interfaces
// and by name (IDispatch, whose type information the first calls race to load). Afterwards the
// dictionary must hold exactly what the threads left in it, and nothing of the module may be alive.
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <set>
#include <thread>

namespace docket::test {
namespace {

constexpr int kThreads = 8, kRounds = 1000;  // about 16 calls a round

const CLSID* const kClasses[] = {&CLSID_FileManager, &CLSID_File, &CLSID_Files, &CLSID_Folder,
                                 &CLSID_Dictionary, &CLSID_Folders, &CLSID_Drive, &CLSID_Drives,
                                 &CLSID_TextStream, &CLSID_BinaryStream};

bool IsText(const VARIANT* v, std::wstring_view text) {
  return V_VT(v) == VT_BSTR && com::View(V_BSTR(v)) == text;
}

// One thread's share of the work. Its keys ("t3-00042") and its folder are its own, so what it
// sees of them must be exact whatever the others do; what it sees of theirs only has to be
// well-formed. (GoogleTest's checks may be made from any thread.)
class Worker {
 public:
  Worker(IDictionary* dictionary, IFileManager* manager, const std::wstring& root, int index)
      : d_(dictionary), fm_(manager), index_(index), folder_(root + L"\\t" + std::to_wstring(index)) {
    d_.As(&dByName_);
    fm_.As(&fmByName_);
  }

  void Run() {
    ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ::CreateDirectoryW(folder_.c_str(), nullptr);
    for (int round = 0; round < kRounds; ++round) {
      DictionaryRound(round);
      PathRound();
      ClassRound(round);
      if (round % 8 == 0) FileRound(round);
      if (round % 64 == 0) ListingRound(round);
      if (round % 16 == 0) Enumerate();
    }
    d_.reset();
    fm_.reset();
    dByName_.reset();
    fmByName_.reset();
    ::CoUninitialize();
  }

  std::set<std::wstring> live;  // this thread's keys in the dictionary
  long long calls = 0;

 private:
  std::wstring KeyOf(int round) const {
    wchar_t text[32];
    std::swprintf(text, 32, L"t%d-%05d", index_, round);
    return text;
  }

  bool Ok(HRESULT hr) {  // counts a call
    ++calls;
    return hr == S_OK;
  }
  bool CallOk(IDispatch* object, const wchar_t* name, const std::wstring& argument, VARIANT* result) {
    return Ok(CallByName(object, name, DISPATCH_METHOD, {VBstr(argument.c_str())}, result).hr);
  }

  void DictionaryRound(int round) {
    const std::wstring key = KeyOf(round);
    Variant k, item, exists, read;
    *k.get() = VBstr(key.c_str());
    *item.get() = VBstr(key.c_str());
    EXPECT_TRUE(Ok(d_->Add(k.get(), item.get()))) << "Add";
    live.insert(key);
    EXPECT_TRUE(CallOk(dByName_.get(), L"Exists", key, exists.get()) && V_VT(exists.get()) == VT_BOOL &&
                V_BOOL(exists.get()) == VARIANT_TRUE) << "Exists";
    EXPECT_TRUE(Ok(d_->get_Item(k.get(), read.get())) && IsText(read.get(), key)) << "Item";
    if (round % 3 == 2) {  // two of every three keys stay
      Variant oldest;
      *oldest.get() = VBstr(live.begin()->c_str());
      EXPECT_TRUE(Ok(d_->Remove(oldest.get()))) << "Remove";
      live.erase(live.begin());
    }
    // By position: the others add and remove meanwhile, so the position may have gone; the answer
    // is then the dictionary's own refusal, never anything else.
    LONG count = 0;
    EXPECT_TRUE(Ok(d_->get_Count(&count)) && count >= static_cast<LONG>(live.size())) << "Count";
    if (count < 1) return;
    Variant position, atPosition;
    *position.get() = VI4(1 + (round * 7919) % count);
    const HRESULT hr = d_->get_Item(position.get(), atPosition.get());
    EXPECT_TRUE(!Ok(hr) ? hr == DISP_E_EXCEPTION
                        : atPosition.type() == VT_BSTR && V_BSTR(atPosition.get())[0] == L't');
  }

  void PathRound() {
    const std::wstring file = folder_ + L"\\f.txt";
    Bstr folder(folder_), name(L"f.txt"), path(file), built, parent, base;
    Variant extension;
    EXPECT_TRUE(Ok(fm_->BuildPath(folder.get(), name.get(), built.put())) && built.view() == file);
    EXPECT_TRUE(Ok(fm_->GetParentFolderName(path.get(), parent.put())) && parent.view() == folder_);
    EXPECT_TRUE(CallOk(fmByName_.get(), L"GetExtensionName", file, extension.get()) &&
                IsText(extension.get(), L"txt"));
    EXPECT_TRUE(Ok(fm_->GetBaseName(path.get(), base.put())) && base.view() == L"f");
  }

  void ClassRound(int round) {
    ComPtr<IClassFactory> factory;
    ComPtr<IUnknown> object;
    ComPtr<IDispatch> dispatch;
    const CLSID& clsid = *kClasses[(round + index_) % std::size(kClasses)];
    EXPECT_TRUE(Ok(LoadedModule::Default().GetClassObject(clsid, IID_IClassFactory, factory.put_void())) &&
                Ok(factory->CreateInstance(nullptr, IID_IUnknown, object.put_void())) &&
                Ok(object.As(&dispatch)));
  }

  void FileRound(int round) {
    const std::wstring key = KeyOf(round);
    Bstr path(folder_ + L"\\f" + std::to_wstring(round) + L".txt"), text(key), line;
    ComPtr<ITextStream> out, in;
    VARIANT_BOOL exists = VARIANT_FALSE;
    EXPECT_TRUE(Ok(fm_->CreateTextFile(path.get(), VARIANT_TRUE, VARIANT_FALSE, out.put())) &&
                Ok(out->WriteLine(text.get())) && Ok(out->Close()));
    EXPECT_TRUE(Ok(fm_->FileExists(path.get(), &exists)) && exists == VARIANT_TRUE);
    EXPECT_TRUE(Ok(fm_->OpenTextFile(path.get(), ForReading, VARIANT_FALSE, TristateFalse, in.put())) &&
                Ok(in->ReadLine(line.put())) && line.view() == key);
    out.reset();
    in.reset();
    EXPECT_TRUE(Ok(fm_->DeleteFile(path.get(), VARIANT_FALSE)));
    EXPECT_TRUE(Ok(fm_->FileExists(path.get(), &exists)) && exists == VARIANT_FALSE);
  }

  // A file that stays, then the folder's listing: exactly the files kept so far.
  void ListingRound(int round) {
    Bstr kept(folder_ + L"\\keep" + std::to_wstring(round) + L".txt"), folder(folder_);
    EXPECT_TRUE(Ok(fm_->CreateFile(kept.get(), VARIANT_TRUE)));
    ++kept_;
    ComPtr<IFolder> here;
    ComPtr<IFileCollection> files;
    LONG count = -1;
    EXPECT_TRUE(Ok(fm_->GetFolder(folder.get(), here.put())) && Ok(here->get_Files(files.put())) &&
                Ok(files->get_Count(&count)) && count == kept_) << count << " files listed";
  }

  // For Each: a snapshot in key order that holds exactly this thread's live keys.
  void Enumerate() {
    ComPtr<IUnknown> unknown;
    ComPtr<IEnumVARIANT> items;
    Variant keys;
    EXPECT_TRUE(Ok(d_->Keys(keys.get())));
    ASSERT_TRUE(Ok(d_->get__NewEnum(unknown.put())) && Ok(unknown.As(&items)));
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
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()) &&
                std::adjacent_find(seen.begin(), seen.end()) == seen.end()) << "every key once, in order";
    const std::wstring mine = L"t" + std::to_wstring(index_) + L"-";
    std::set<std::wstring> own;
    std::copy_if(seen.begin(), seen.end(), std::inserter(own, own.end()),
                 [&](const std::wstring& key) { return key.compare(0, mine.size(), mine) == 0; });
    EXPECT_EQ(own, live) << "For Each sees exactly this thread's keys";
  }

  ComPtr<IDictionary> d_;
  ComPtr<IFileManager> fm_;
  ComPtr<IDispatch> dByName_, fmByName_;  // the same objects, called as a script calls them
  const int index_;
  const std::wstring folder_;
  LONG kept_ = 0;
};

TEST(ThreadStress, EightThreadsShareADictionaryAFileManagerAndTheClassObjects) {
  ScratchDir dir;
  ComPtr<IDictionary> dictionary;
  ASSERT_EQ(LoadedModule::Default().Create(CLSID_Dictionary, dictionary.put()), S_OK);
  ComPtr<IFileManager> manager = NewManager();
  ASSERT_TRUE(manager);
  std::vector<Worker> workers;
  for (int i = 0; i < kThreads; ++i) workers.emplace_back(dictionary.get(), manager.get(), dir.path(), i);
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::thread> threads;
  for (Worker& worker : workers) threads.emplace_back([&worker] { worker.Run(); });
  for (std::thread& thread : threads) thread.join();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  long long calls = 0;
  std::set<std::wstring> expected;  // what is left: exactly what each thread left, in key order
  for (const Worker& worker : workers) {
    calls += worker.calls;
    expected.insert(worker.live.begin(), worker.live.end());
  }
  EXPECT_GE(calls, 100000);
  std::printf("thread stress: %lld calls from %d threads in %.2f s, %.0f calls per second\n", calls,
              kThreads, seconds, calls / seconds);
  Variant keys;
  ASSERT_EQ(dictionary->Keys(keys.get()), S_OK);
  const VARIANT* elements = static_cast<const VARIANT*>(V_ARRAY(keys.get())->pvData);
  std::vector<std::wstring> left;
  for (ULONG i = 0; i < V_ARRAY(keys.get())->rgsabound[0].cElements; ++i)
    left.emplace_back(V_BSTR(&elements[i]));
  EXPECT_TRUE(std::equal(left.begin(), left.end(), expected.begin(), expected.end()))
      << left.size() << " keys left, " << expected.size() << " expected";
  dictionary.reset();
  manager.reset();
  workers.clear();
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_OK) << "every object of the module is gone";
}

}  // namespace
}  // namespace docket::test
