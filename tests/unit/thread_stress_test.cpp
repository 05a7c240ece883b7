// Eight threads share one Dictionary, one FileManager and the module's class objects, as the
// threads of a web server share application-wide objects, and call them through their interfaces
// and by name (IDispatch, whose type information the first calls race to load). Afterwards the
// dictionary must hold exactly what the threads left in it, and nothing of the module may be alive.
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>
#include <thread>

namespace docket::test {
namespace {

const CLSID* const kClasses[] = {&CLSID_FileManager, &CLSID_File, &CLSID_Files, &CLSID_Folder,
                                 &CLSID_Dictionary, &CLSID_Folders, &CLSID_Drive, &CLSID_Drives,
                                 &CLSID_TextStream, &CLSID_BinaryStream};

// A variant that shows a string without owning it.
VARIANT Borrowed(const Bstr& text) {
  VARIANT v{};
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = text.get();
  return v;
}

std::wstring TextIn(const VARIANT* v) { return V_VT(v) == VT_BSTR ? V_BSTR(v) : L"<not a text>"; }

// One thread's share of the work. Its keys ("t3-00042") and its folder are its own, so what it
// sees of them must be exact whatever the others do; what it sees of theirs only has to be
// well-formed. (GoogleTest's checks may be made on any thread.)
struct Worker {
  ComPtr<IDictionary> d;
  ComPtr<IFileManager> fm;
  ComPtr<IDispatch> dByName, fmByName;  // the same objects, called as a script calls them
  int index;
  std::wstring folder;
  std::set<std::wstring> live;  // this thread's keys in the dictionary
  long long calls = 0;
  LONG kept = 0;

  bool Ok(HRESULT hr) {  // counts a call
    ++calls;
    return hr == S_OK;
  }
  bool ByName(IDispatch* object, const wchar_t* name, const std::wstring& argument, VARIANT* result) {
    return Ok(CallByName(object, name, DISPATCH_METHOD, {VBstr(argument.c_str())}, result).hr);
  }

  void Run() {
    ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (int round = 0; round < 1000; ++round) {  // about 16 calls a round
      wchar_t key[32];
      std::swprintf(key, 32, L"t%d-%05d", index, round);
      DictionaryRound(round, key);
      PathRound();
      ComPtr<IClassFactory> factory;
      ComPtr<IUnknown> object;
      ComPtr<IDispatch> dispatch;
      EXPECT_TRUE(Ok(LoadedModule::Default().GetClassObject(*kClasses[(round + index) % std::size(kClasses)],
                                                             IID_IClassFactory, factory.put_void())) &&
                  Ok(factory->CreateInstance(nullptr, IID_IUnknown, object.put_void())) &&
                  Ok(object.As(&dispatch)));
      if (round % 8 == 0) FileRound(round, key);
      if (round % 64 == 0) ListingRound(round);
      if (round % 16 == 0) Enumerate();
    }
    ::CoUninitialize();
  }

  void DictionaryRound(int round, const std::wstring& key) {
    const Bstr text(key);
    VARIANT k = Borrowed(text);
    Variant exists, read, atPosition;
    EXPECT_TRUE(Ok(d->Add(&k, &k))) << "Add";
    live.insert(key);
    EXPECT_TRUE(ByName(dByName.get(), L"Exists", key, exists.get()) && V_VT(exists.get()) == VT_BOOL &&
                V_BOOL(exists.get()) == VARIANT_TRUE);
    EXPECT_TRUE(Ok(d->get_Item(&k, read.get())) && TextIn(read.get()) == key);
    if (round % 3 == 2) {  // two of every three keys stay
      const Bstr oldestText(*live.begin());
      VARIANT oldest = Borrowed(oldestText);
      EXPECT_TRUE(Ok(d->Remove(&oldest))) << "Remove";
      live.erase(live.begin());
    }
    // By position: the others add and remove meanwhile, so the position may have gone; the answer
    // is then the dictionary's own refusal, never anything else.
    LONG count = 0;
    EXPECT_TRUE(Ok(d->get_Count(&count)) && count >= static_cast<LONG>(live.size()));
    if (count < 1) return;
    VARIANT position = VI4(1 + (round * 7919) % count);
    const HRESULT hr = d->get_Item(&position, atPosition.get());
    EXPECT_TRUE(Ok(hr) ? TextIn(atPosition.get())[0] == L't' : hr == DISP_E_EXCEPTION);
  }

  void PathRound() {
    const std::wstring file = folder + L"\\f.txt";
    Bstr folderText(folder), name(L"f.txt"), path(file), built, parent, base;
    Variant extension;
    EXPECT_TRUE(Ok(fm->BuildPath(folderText.get(), name.get(), built.put())) && built.view() == file);
    EXPECT_TRUE(Ok(fm->GetParentFolderName(path.get(), parent.put())) && parent.view() == folder);
    EXPECT_TRUE(ByName(fmByName.get(), L"GetExtensionName", file, extension.get()) &&
                TextIn(extension.get()) == L"txt");
    EXPECT_TRUE(Ok(fm->GetBaseName(path.get(), base.put())) && base.view() == L"f");
  }

  void FileRound(int round, const std::wstring& key) {
    Bstr path(folder + L"\\f" + std::to_wstring(round) + L".txt"), text(key), line;
    ComPtr<ITextStream> out, in;
    VARIANT_BOOL exists = VARIANT_FALSE;
    EXPECT_TRUE(Ok(fm->CreateTextFile(path.get(), VARIANT_TRUE, VARIANT_FALSE, out.put())) &&
                Ok(out->WriteLine(text.get())) && Ok(out->Close()));
    EXPECT_TRUE(Ok(fm->FileExists(path.get(), &exists)) && exists == VARIANT_TRUE);
    EXPECT_TRUE(Ok(fm->OpenTextFile(path.get(), ForReading, VARIANT_FALSE, TristateFalse, in.put())) &&
                Ok(in->ReadLine(line.put())) && line.view() == key);
    out.reset();
    in.reset();
    EXPECT_TRUE(Ok(fm->DeleteFile(path.get(), VARIANT_FALSE)));
    EXPECT_TRUE(Ok(fm->FileExists(path.get(), &exists)) && exists == VARIANT_FALSE);
  }

  // A file that stays, then the folder's listing: exactly the files kept so far.
  void ListingRound(int round) {
    Bstr path(folder + L"\\keep" + std::to_wstring(round) + L".txt"), folderText(folder);
    ComPtr<IFolder> here;
    ComPtr<IFileCollection> files;
    LONG count = -1;
    EXPECT_TRUE(Ok(fm->CreateFile(path.get(), VARIANT_TRUE)));
    EXPECT_TRUE(Ok(fm->GetFolder(folderText.get(), here.put())) && Ok(here->get_Files(files.put())) &&
                Ok(files->get_Count(&count)) && count == ++kept) << count << " files listed";
  }

  // For Each: a snapshot in key order that holds exactly this thread's live keys.
  void Enumerate() {
    ComPtr<IUnknown> unknown;
    ComPtr<IEnumVARIANT> items;
    Variant keys;
    EXPECT_TRUE(Ok(d->Keys(keys.get())));
    ASSERT_TRUE(Ok(d->get__NewEnum(unknown.put())) && Ok(unknown.As(&items)));
    std::vector<std::wstring> seen;
    VARIANT batch[64];
    for (ULONG fetched = 64; fetched == 64;) {
      Ok(items->Next(64, batch, &fetched));
      for (ULONG i = 0; i < fetched; ++i) seen.push_back(TextIn(&batch[i])), ::VariantClear(&batch[i]);
    }
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()) &&
                std::adjacent_find(seen.begin(), seen.end()) == seen.end()) << "every key once, in order";
    const std::wstring mine = L"t" + std::to_wstring(index) + L"-";
    std::set<std::wstring> own;
    std::copy_if(seen.begin(), seen.end(), std::inserter(own, own.end()),
                 [&](const std::wstring& key) { return key.compare(0, mine.size(), mine) == 0; });
    EXPECT_EQ(own, live) << "For Each sees exactly this thread's keys";
  }
};

TEST(ThreadStress, EightThreadsShareADictionaryAFileManagerAndTheClassObjects) {
  ScratchDir dir;
  ComPtr<IDictionary> dictionary;
  ASSERT_EQ(LoadedModule::Default().Create(CLSID_Dictionary, dictionary.put()), S_OK);
  ComPtr<IFileManager> manager = NewManager();
  std::vector<Worker> workers(8);
  for (int i = 0; i < 8; ++i) {
    Worker& w = workers[i];
    w.d = dictionary, w.fm = manager, w.index = i, w.folder = dir / (L"t" + std::to_wstring(i));
    ASSERT_TRUE(SUCCEEDED(dictionary.As(&w.dByName)) && SUCCEEDED(manager.As(&w.fmByName)));
  }
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
  std::printf("thread stress: %lld calls from 8 threads in %.2f s, %.0f calls per second\n", calls, seconds,
              calls / seconds);
  Variant keys;
  ASSERT_EQ(dictionary->Keys(keys.get()), S_OK);
  const VARIANT* elements = static_cast<const VARIANT*>(V_ARRAY(keys.get())->pvData);
  std::vector<std::wstring> left;
  for (ULONG i = 0; i < V_ARRAY(keys.get())->rgsabound[0].cElements; ++i) left.push_back(TextIn(&elements[i]));
  EXPECT_TRUE(std::equal(left.begin(), left.end(), expected.begin(), expected.end()))
      << left.size() << " keys left, " << expected.size() << " expected";
  dictionary.reset();
  manager.reset();
  workers.clear();
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_OK) << "every object of the module is gone";
}

}  // namespace
}  // namespace docket::test
