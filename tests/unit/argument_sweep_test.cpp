// Every member of every interface in the type library, called through IDispatch::Invoke with good
// arguments and then with each argument in turn replaced by something hostile. Every call must
// return; a failure must carry a description where it is reported as an exception, or be one of the
// bare codes the members answer by design; an object must keep working after a call that failed;
// no argument may stay referenced; and nothing outside the sweep's scratch folder may change.
// What each call answers is kept in tests/argument_sweep/<target>.txt so that a change shows up
// in review: `./scripts/sweep-table` writes the tables anew.
#include "chunk_field.h"
#include "counting_dispatch.h"
#include "support/allocation_hook.h"
#include "support/sweep_members.h"
#include "support/sweep_table.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

namespace docket::test {
namespace {

// A module allocation this large is refused during the sweep (the member then fails with
// E_OUTOFMEMORY), and one half as large is noted in the table: a count of 2^31-1 must not make
// the process take gigabytes.
constexpr size_t kAllocationCap = 256u << 20;
constexpr size_t kNotedAllocation = 64u << 20;
constexpr DWORD kCallDeadlineMs = 60000;

// ------------------------------------------------------------------------------------------------
// The folder each call works in, made afresh: two text files and a folder with a file in it.

struct CaseFolder {
  std::wstring path;
  std::wstring operator/(const std::wstring& name) const {
    return name.empty() ? path : path + L"\\" + name;
  }
};

VARIANT Text(const std::wstring& text) { return VBstr(text.c_str()); }

std::string Narrow(const std::wstring& text) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), n, nullptr, nullptr);
  return bytes;
}

// ------------------------------------------------------------------------------------------------
// Good arguments, by parameter name. The most specific key wins: "Interface.Member.Param",
// "Member.Param", "Interface.Param", "Param". A parameter with a default in the library gets the
// default unless a key names it. A parameter with neither fails the sweep: a new member needs a
// good value here before it can be swept.

using Maker = std::function<VARIANT(const CaseFolder&)>;

Maker InCase(const wchar_t* name) { return [name](const CaseFolder& c) { return Text(c / name); }; }
Maker Literal(const wchar_t* text) { return [text](const CaseFolder&) { return Text(text); }; }
Maker Number(LONG value) { return [value](const CaseFolder&) { return VI4(value); }; }
Maker Field() {
  return [](const CaseFolder&) {
    VARIANT v;
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = ChunkField::New();
    return v;
  };
}

const std::map<std::wstring, Maker>& GoodValues() {
  static const std::map<std::wstring, Maker> values{
      // Paths: everything the calls touch lies in the case folder.
      {L"Source", InCase(L"a.txt")},
      {L"MoveFolder.Source", InCase(L"dir")},
      {L"CopyFolder.Source", InCase(L"dir")},
      {L"Destination", InCase(L"dest")},
      {L"FilePath", InCase(L"a.txt")},
      {L"FolderPath", InCase(L"dir")},
      {L"FolderSpec", InCase(L"dir")},
      {L"FileSpec", InCase(L"a.txt")},
      {L"FileName", InCase(L"a.txt")},
      {L"CreateUniqueFile.FileName", InCase(L"")},
      {L"DLLFileName", InCase(L"missing.dll")},  // never a module that exists
      {L"srcFileName", InCase(L"a.txt")},
      {L"targetFileName", InCase(L"imported.bin")},
      {L"destName", InCase(L"joined.txt")},
      {L"file1", InCase(L"a.txt")},
      {L"file2", InCase(L"b.txt")},
      {L"Path", InCase(L"dir")},
      {L"CreateFolder.Path", InCase(L"new\\deeper")},
      {L"InFile", InCase(L"a.txt")},
      {L"OutFile", InCase(L"out.bin")},
      {L"bstrFileAppendTo", InCase(L"b.txt")},
      {L"bstrFileCompareTo", InCase(L"b.txt")},
      // Everything else.
      {L"prefixString", Literal(L"pre")},
      {L"recordSet", Field()},
      {L"srcRecordSet", Field()},
      {L"Domain", Literal(L"domain")},
      {L"UserID", Literal(L"user")},
      {L"Password", Literal(L"secret")},
      {L"Section", Literal(L"section")},
      {L"Key", Literal(L"key")},
      {L"Value", Literal(L"1")},
      {L"Name", Literal(L"name.txt")},
      {L"DriveSpec", Literal(L"C:")},
      {L"SpecialFolder", Number(2)},  // the temporary folder, which is the sweep's own
      {L"AccountName", Literal(L"Everyone")},
      {L"Val", Number(1)},
      {L"Text", Literal(L"text")},
      {L"Characters", Number(3)},
      {L"Lines", Number(2)},
      {L"numBytes", Number(4)},
      {L"Bytes", Literal(L"2")},
      {L"Byte", Number(65)},
      {L"piUnk", [](const CaseFolder&) {
         static bool gone;  // outlives the object, whose end is of no interest here
         VARIANT v;
         V_VT(&v) = VT_UNKNOWN;
         V_UNKNOWN(&v) = CountingDispatch::New(&gone);
         return v;
       }},
      {L"IDictionary.Key", Literal(L"a.txt")},
      {L"IDictionary.Add.Key", Literal(L"c.txt")},
      {L"IDictionary.Item", Literal(L"item")},
      {L"IDictionary.Item.value", Literal(L"item")},
      {L"IDictionary.Key.value", Literal(L"c.txt")},
      {L"IFileCollection.Key", Literal(L"a.txt")},
      {L"IFolderCollection.Key", Literal(L"dir")},
      {L"IDriveCollection.Key", Literal(L"C:\\")},
      {L"CompareMode.value", Number(1)},
      {L"IFile.Name.value", Literal(L"renamed.txt")},
      {L"IFolder.Name.value", Literal(L"renamed")},
      {L"Attributes.value", Number(0)},
      {L"SearchWildCard.value", Literal(L"*.txt")},
      {L"VolumeName.value", Literal(L"sweep")},
      {L"Owner.value", Literal(L"Everyone")},
  };
  return values;
}

std::optional<VARIANT> GoodValue(const SweptInterface& swept, const SweptMember& member,
                                 const SweptParameter& parameter, const CaseFolder& c) {
  const std::wstring keys[] = {swept.name + L"." + member.name + L"." + parameter.name,
                               member.name + L"." + parameter.name,
                               swept.name + L"." + parameter.name, parameter.name};
  for (const std::wstring& key : keys) {
    auto found = GoodValues().find(key);
    if (found != GoodValues().end()) return found->second(c);
  }
  if (parameter.hasDefault) {
    VARIANT v;
    ::VariantInit(&v);
    ::VariantCopy(&v, const_cast<VARIANT*>(&parameter.defaultValue));
    return v;
  }
  return std::nullopt;
}

// ------------------------------------------------------------------------------------------------
// Hostile arguments.

enum class Hostile {
  Empty, Null, Missing, LongString, EmbeddedNul, Negative, Huge, Array, MemberlessObject, ByReference
};
constexpr Hostile kHostile[] = {Hostile::Empty,       Hostile::Null,     Hostile::Missing,
                                Hostile::LongString,  Hostile::EmbeddedNul, Hostile::Negative,
                                Hostile::Huge,        Hostile::Array,    Hostile::MemberlessObject,
                                Hostile::ByReference};

const wchar_t* NameOf(Hostile value) {
  switch (value) {
    case Hostile::Empty: return L"Empty";
    case Hostile::Null: return L"Null";
    case Hostile::Missing: return L"missing";
    case Hostile::LongString: return L"100000 characters";
    case Hostile::EmbeddedNul: return L"\"a.txt\\0.exe\"";
    case Hostile::Negative: return L"-1";
    case Hostile::Huge: return L"2147483647";
    case Hostile::Array: return L"array";
    case Hostile::MemberlessObject: return L"object without members";
    case Hostile::ByReference: return L"by reference";
  }
  return L"";
}

// A call the sweep leaves out, and why. A number given as an INI file name is a bare name, which
// the platform's profile functions keep in the Windows folder; and the only drive the sweep can
// have is a real one (a drive letter is mapped outside any Windows program), whose label it must
// not change.
std::wstring WhyNotCalled(const SweptInterface& swept, const SweptMember& member, int hostileIndex,
                          Hostile hostile) {
  if (hostileIndex >= 0 && member.name.rfind(L"INI", 0) == 0 &&
      member.parameters[hostileIndex].name == L"FileName" &&
      (hostile == Hostile::Negative || hostile == Hostile::Huge))
    return L"(not called: a bare name is a file in the Windows folder)";
  if (swept.name == L"IDrive" && member.Label() == L"VolumeName put")
    return L"(not called: it would change the label of a real drive)";
  return {};
}

// The arguments of one call, in the order DISPPARAMS wants them (last first), and everything
// they refer to.
class Arguments {
 public:
  Arguments(const SweptInterface& swept, const SweptMember& member, const CaseFolder& c,
            int hostileIndex, Hostile hostile, IDispatch* memberless) {
    const size_t count = member.parameters.size();
    values_.resize(count);
    referenced_.resize(count);
    for (size_t i = 0; i < count; ++i) {
      VARIANT* slot = &values_[count - 1 - i];
      ::VariantInit(slot);
      ::VariantInit(&referenced_[i]);
      std::optional<VARIANT> good = GoodValue(swept, member, member.parameters[i], c);
      if (!good) {
        missingGood_ = member.parameters[i].name;
        continue;
      }
      if (static_cast<int>(i) != hostileIndex) {
        *slot = *good;
        continue;
      }
      referenced_[i] = *good;  // kept for a reference to point at
      Make(hostile, &referenced_[i], memberless, slot);
    }
  }
  ~Arguments() {
    for (VARIANT& v : values_) ::VariantClear(&v);
    for (VARIANT& v : referenced_) ::VariantClear(&v);
  }
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;

  const std::wstring& missingGood() const { return missingGood_; }
  VARIANT* data() { return values_.data(); }
  UINT count() const { return static_cast<UINT>(values_.size()); }

 private:
  static void Make(Hostile hostile, VARIANT* good, IDispatch* memberless, VARIANT* out) {
    switch (hostile) {
      case Hostile::Empty: break;
      case Hostile::Null: V_VT(out) = VT_NULL; break;
      case Hostile::Missing:
        V_VT(out) = VT_ERROR;
        V_ERROR(out) = DISP_E_PARAMNOTFOUND;
        break;
      case Hostile::LongString:
        V_VT(out) = VT_BSTR;
        V_BSTR(out) = ::SysAllocStringLen(std::wstring(100000, L'x').c_str(), 100000);
        break;
      case Hostile::EmbeddedNul:
        V_VT(out) = VT_BSTR;
        V_BSTR(out) = ::SysAllocStringLen(L"a.txt\0.exe", 10);
        break;
      case Hostile::Negative: *out = VI4(-1); break;
      case Hostile::Huge: *out = VI4(0x7FFFFFFF); break;
      case Hostile::Array: {
        SAFEARRAY* array = ::SafeArrayCreateVector(VT_VARIANT, 0, 2);
        VARIANT* elements = nullptr;
        ::SafeArrayAccessData(array, reinterpret_cast<void**>(&elements));
        elements[0] = VBstr(L"a.txt");
        elements[1] = VI4(1);
        ::SafeArrayUnaccessData(array);
        V_VT(out) = VT_ARRAY | VT_VARIANT;
        V_ARRAY(out) = array;
        break;
      }
      case Hostile::MemberlessObject:
        V_VT(out) = VT_DISPATCH;
        V_DISPATCH(out) = memberless;
        memberless->AddRef();
        break;
      case Hostile::ByReference:
        V_VT(out) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(out) = good;
        break;
    }
  }

  std::vector<VARIANT> values_;      // last argument first
  std::vector<VARIANT> referenced_;  // script order
  std::wstring missingGood_;
};

// ------------------------------------------------------------------------------------------------
// What the sweep calls: an object of each interface, made afresh for every call, and a call that
// must keep answering afterwards.

using Probe = std::function<HRESULT(IDispatch*)>;

struct Target {
  const wchar_t* label;  // the table's name
  const IID* iid;
  std::function<HRESULT(IFileManager*, const CaseFolder&, ComPtr<IDispatch>*)> make;
  Probe probe;
};

HRESULT Get(IDispatch* object, const wchar_t* name) {
  Variant ignored;
  return CallByName(object, name, DISPATCH_PROPERTYGET, {}, ignored.get()).hr;
}
Probe Reads(const wchar_t* name) {
  return [name](IDispatch* object) { return Get(object, name); };
}

template <class I>
HRESULT Hand(HRESULT hr, ComPtr<I>& made, ComPtr<IDispatch>* out) {
  if (FAILED(hr)) return hr;
  return made.As(out);
}

HRESULT Folder(IFileManager* fm, const std::wstring& path, ComPtr<IFolder>* folder) {
  Bstr text(path);
  return fm->GetFolder(text.get(), folder->put());
}

const Target kTargets[] = {
    {L"IFileManager", &IID_IFileManager,
     [](IFileManager* fm, const CaseFolder&, ComPtr<IDispatch>* out) {
       ComPtr<IFileManager> made = NewManager();
       return Hand(made ? S_OK : E_FAIL, made, out);
     },
     [](IDispatch* object) {
       Variant built;
       return CallByName(object, L"BuildPath", DISPATCH_METHOD, {VBstr(L"a"), VBstr(L"b")},
                         built.get()).hr;
     }},
    {L"IDictionary", &IID_IDictionary,
     [](IFileManager*, const CaseFolder&, ComPtr<IDispatch>* out) {
       ComPtr<IDictionary> made;
       HRESULT hr = LoadedModule::Default().Create(CLSID_Dictionary, made.put());
       for (const wchar_t* key : {L"a.txt", L"b.txt"}) {
         if (FAILED(hr)) break;
         Variant k, item;
         *k.get() = VBstr(key);
         *item.get() = VBstr(key);
         hr = made->Add(k.get(), item.get());
       }
       return Hand(hr, made, out);
     },
     Reads(L"Count")},
    {L"IFile", &IID_IFile,
     [](IFileManager* fm, const CaseFolder& c, ComPtr<IDispatch>* out) {
       ComPtr<IFile> made;
       Bstr path(c / L"a.txt");
       return Hand(fm->GetFile(path.get(), made.put()), made, out);
     },
     Reads(L"Path")},
    {L"IFolder", &IID_IFolder,
     [](IFileManager* fm, const CaseFolder& c, ComPtr<IDispatch>* out) {
       ComPtr<IFolder> made;
       return Hand(Folder(fm, c / L"dir", &made), made, out);
     },
     Reads(L"Path")},
    {L"IFileCollection", &IID_IFileCollection,
     [](IFileManager* fm, const CaseFolder& c, ComPtr<IDispatch>* out) {
       ComPtr<IFolder> folder;
       ComPtr<IFileCollection> made;
       HRESULT hr = Folder(fm, c.path, &folder);
       if (SUCCEEDED(hr)) hr = folder->get_Files(made.put());
       return Hand(hr, made, out);
     },
     Reads(L"Count")},
    {L"IFolderCollection", &IID_IFolderCollection,
     [](IFileManager* fm, const CaseFolder& c, ComPtr<IDispatch>* out) {
       ComPtr<IFolder> folder;
       ComPtr<IFolderCollection> made;
       HRESULT hr = Folder(fm, c.path, &folder);
       if (SUCCEEDED(hr)) hr = folder->get_SubFolders(made.put());
       return Hand(hr, made, out);
     },
     Reads(L"Count")},
    {L"IDrive", &IID_IDrive,
     [](IFileManager* fm, const CaseFolder&, ComPtr<IDispatch>* out) {
       ComPtr<IDrive> made;
       Bstr spec(L"C:");
       return Hand(fm->GetDrive(spec.get(), made.put()), made, out);
     },
     Reads(L"Path")},
    {L"IDriveCollection", &IID_IDriveCollection,
     [](IFileManager* fm, const CaseFolder&, ComPtr<IDispatch>* out) {
       ComPtr<IDriveCollection> made;
       return Hand(fm->get_Drives(made.put()), made, out);
     },
     Reads(L"Count")},
    {L"ITextStream-reading", &IID_ITextStream,
     [](IFileManager* fm, const CaseFolder& c, ComPtr<IDispatch>* out) {
       ComPtr<ITextStream> made;
       Bstr path(c / L"a.txt");
       return Hand(fm->OpenTextFile(path.get(), ForReading, VARIANT_FALSE, TristateFalse, made.put()),
                   made, out);
     },
     Reads(L"AtEndOfStream")},
    {L"ITextStream-writing", &IID_ITextStream,
     [](IFileManager* fm, const CaseFolder& c, ComPtr<IDispatch>* out) {
       ComPtr<ITextStream> made;
       Bstr path(c / L"written.txt");
       return Hand(fm->CreateTextFile(path.get(), VARIANT_TRUE, VARIANT_FALSE, made.put()), made, out);
     },
     Reads(L"Line")},
    {L"IBinaryStream-reading", &IID_IBinaryStream,
     [](IFileManager* fm, const CaseFolder& c, ComPtr<IDispatch>* out) {
       ComPtr<IBinaryStream> made;
       Bstr path(c / L"a.txt");
       return Hand(fm->OpenBinaryFile(path.get(), ForReading, VARIANT_FALSE, made.put()), made, out);
     },
     Reads(L"AtEndOfStream")},
    {L"IBinaryStream-writing", &IID_IBinaryStream,
     [](IFileManager* fm, const CaseFolder& c, ComPtr<IDispatch>* out) {
       ComPtr<IBinaryStream> made;
       Bstr path(c / L"written.bin");
       return Hand(fm->CreateBinaryFile(path.get(), VARIANT_TRUE, made.put()), made, out);
     },
     [](IDispatch* object) {
       return CallByName(object, L"Fill", DISPATCH_METHOD, {VI4(0), VI4(0)}).hr;
     }},
    {L"IPermItem", &IID_IPermItem,
     [](IFileManager* fm, const CaseFolder& c, ComPtr<IDispatch>* out) {
       ComPtr<IFile> file;
       ComPtr<IUnknown> unknown;
       ComPtr<IEnumVARIANT> entries;
       Bstr path(c / L"a.txt");
       HRESULT hr = fm->GetFile(path.get(), file.put());
       if (SUCCEEDED(hr)) hr = file->get__NewEnum(unknown.put());
       if (SUCCEEDED(hr)) hr = unknown.As(&entries);
       Variant entry;
       ULONG fetched = 0;
       if (SUCCEEDED(hr)) hr = entries->Next(1, entry.put(), &fetched);
       if (hr != S_OK || entry.type() != VT_DISPATCH) return FAILED(hr) ? hr : E_FAIL;
       *out = ComPtr<IDispatch>(V_DISPATCH(entry.get()));
       return S_OK;
     },
     Reads(L"Trustee")},
};

// ------------------------------------------------------------------------------------------------
// Guards of the run: a deadline for each call, and the places outside the scratch folder that
// must look the same afterwards.

class Watchdog {
 public:
  Watchdog() : thread_([this] { Watch(); }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  void Arm(const std::wstring& what) {
    std::lock_guard<std::mutex> lock(mutex_);
    what_ = what;
    armed_ = true;
    ++generation_;
    changed_.notify_all();
  }
  void Disarm() {
    std::lock_guard<std::mutex> lock(mutex_);
    armed_ = false;
    changed_.notify_all();
  }

 private:
  void Watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_) {
      if (!armed_) {
        changed_.wait(lock);
        continue;
      }
      const unsigned long long generation = generation_;
      if (!changed_.wait_for(lock, std::chrono::milliseconds(kCallDeadlineMs),
                             [&] { return stop_ || !armed_ || generation_ != generation; })) {
        std::fwprintf(stderr, L"argument sweep: %ls did not return within %lu s\n", what_.c_str(),
                      kCallDeadlineMs / 1000);
        std::fflush(stderr);
        ::TerminateProcess(::GetCurrentProcess(), 3);
      }
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::wstring what_;
  bool armed_ = false;
  bool stop_ = false;
  unsigned long long generation_ = 0;
  std::thread thread_;
};

// Names, sizes and write times of the entries of a few folders outside the scratch folder. Names
// that begin with "docket" are what other tests running alongside make (their scratch folders,
// copies of the test program, files at the root): they are left out.
std::set<std::wstring> Snapshot(const std::vector<std::wstring>& folders) {
  std::set<std::wstring> entries;
  for (const std::wstring& folder : folders) {
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) continue;
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L".." || ::_wcsnicmp(name.c_str(), L"docket", 6) == 0) continue;
      entries.insert(folder + L"\\" + name + L" " + std::to_wstring(entry.nFileSizeLow) + L" " +
                     std::to_wstring(entry.ftLastWriteTime.dwLowDateTime));
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
  }
  return entries;
}

// What differs between two snapshots, one entry a line.
std::string Changes(const std::set<std::wstring>& before, const std::set<std::wstring>& after) {
  std::wstring text;
  for (const std::wstring& entry : before)
    if (!after.count(entry)) text += L"  gone or changed: " + entry + L"\n";
  for (const std::wstring& entry : after)
    if (!before.count(entry)) text += L"  new or changed: " + entry + L"\n";
  return Narrow(text);
}

// Looked at around every call: where a name without a folder may end up.
std::vector<std::wstring> FoldersWatchedByCall() {
  wchar_t windows[MAX_PATH];
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  return {L"C:", windows};
}

// Looked at around a whole sweep. (The temporary folder is the sweep's own while it runs, and
// other tests leave files in the real one.)
std::vector<std::wstring> FoldersWatchedBySweep() {
  wchar_t system[MAX_PATH];
  ::GetSystemDirectoryW(system, MAX_PATH);
  return {system};
}

class EnvironmentChange {
 public:
  EnvironmentChange(const wchar_t* name, const std::wstring& value) : name_(name) {
    wchar_t saved[MAX_PATH];
    const DWORD n = ::GetEnvironmentVariableW(name, saved, MAX_PATH);
    if (n > 0 && n < MAX_PATH) saved_ = saved;
    ::SetEnvironmentVariableW(name, value.c_str());
  }
  ~EnvironmentChange() { ::SetEnvironmentVariableW(name_, saved_ ? saved_->c_str() : nullptr); }
  EnvironmentChange(const EnvironmentChange&) = delete;
  EnvironmentChange& operator=(const EnvironmentChange&) = delete;

 private:
  const wchar_t* name_;
  std::optional<std::wstring> saved_;
};

std::wstring Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  ::GetEnvironmentVariableW(name, value, MAX_PATH);
  return value;
}

bool UpdatingTables() { return !Environment(L"DOCKET_SWEEP_UPDATE").empty(); }

// ------------------------------------------------------------------------------------------------

class ArgumentSweep : public ::testing::Test {
 protected:
  ArgumentSweep()
      : watchedByCall_(FoldersWatchedByCall()),
        watchedBySweep_(FoldersWatchedBySweep()),
        before_(Snapshot(watchedBySweep_)),
        cwd_(dir_ / L"cwd"),
        temp_(dir_ / L"temp"),
        hook_(LoadedModule::Default().handle()) {
    ::CreateDirectoryW(cwd_.c_str(), nullptr);
    ::CreateDirectoryW(temp_.c_str(), nullptr);
    ::CreateDirectoryW((dir_ / L"cases").c_str(), nullptr);
    // Relative names, the empty path and made-up temporary names all land in the scratch folder.
    ::GetCurrentDirectoryW(MAX_PATH, savedCurrent_);
    ::SetCurrentDirectoryW(cwd_.c_str());
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {}, user[256] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1, userSize = 256;
    ::GetComputerNameW(computer, &size);
    ::GetUserNameW(user, &userSize);
    computer_ = computer;
    user_ = user;
  }

  ~ArgumentSweep() override { ::SetCurrentDirectoryW(savedCurrent_); }

  void Sweep(const std::wstring& label);

  // One call on a fresh object in a fresh case folder; its line of the table.
  std::wstring Call(const Target& target, const SweptInterface& swept, const SweptMember& member,
                    int hostileIndex, Hostile hostile) {
    const std::wstring what = member.Label() + L" | " +
                              (hostileIndex < 0 ? std::wstring(L"good arguments")
                                                : member.parameters[hostileIndex].name + L" = " +
                                                      NameOf(hostile));
    SCOPED_TRACE(Narrow(std::wstring(target.label) + L": " + what));
    if (const std::wstring why = WhyNotCalled(swept, member, hostileIndex, hostile); !why.empty())
      return what + L" | " + why;
    const CaseFolder c = NewCase();
    bool memberlessGone = false;
    CountingDispatch* memberless = CountingDispatch::New(&memberlessGone);
    std::wstring outcome;
    {
      ComPtr<IDispatch> object;
      const HRESULT made = target.make(manager_.get(), c, &object);
      EXPECT_EQ(made, S_OK) << "the target is made";
      if (FAILED(made)) {
        memberless->Release();
        return what + L" | (no object)";
      }
      Arguments arguments(swept, member, c, hostileIndex, hostile, memberless);
      EXPECT_EQ(arguments.missingGood(), L"") << "a good value for every parameter";
      DISPID put = DISPID_PROPERTYPUT;
      const bool isPut = member.flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
      DISPPARAMS params{arguments.data(), isPut ? &put : nullptr, arguments.count(),
                        isPut ? 1u : 0u};
      Variant result;
      EXCEPINFO exception{};
      UINT argumentError = 0;
      const std::set<std::wstring> around = Snapshot(watchedByCall_);
      ClearError();
      hook_.Reset();
      hook_.FailRequestsFrom(kAllocationCap);
      watchdog_.Arm(std::wstring(target.label) + L" " + what);
      const HRESULT hr = object->Invoke(member.id, IID_NULL, LOCALE_USER_DEFAULT, member.flags,
                                        &params, isPut ? nullptr : result.get(), &exception,
                                        &argumentError);
      watchdog_.Disarm();
      const size_t largest = hook_.largest();
      hook_.Reset();
      const std::string changes = Changes(around, Snapshot(watchedByCall_));
      EXPECT_EQ(changes, "") << "the call changed something outside the scratch folder";
      if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);

      outcome = DescribeResult(hr, exception, *result.get(), Masks(c));
      CheckFailure(hr, exception);
      if (largest >= kNotedAllocation)
        outcome += L"; asked for " + std::to_wstring(largest >> 20) + L" MiB";
      const HRESULT probe = target.probe(object.get());
      if (FAILED(probe)) {
        outcome += L"; the object stops answering";
        EXPECT_FALSE(FAILED(hr)) << "a call that failed left the object broken";
      }
      ::SysFreeString(exception.bstrDescription);
      ::SysFreeString(exception.bstrSource);
      ::SysFreeString(exception.bstrHelpFile);
    }
    EXPECT_EQ(memberless->refs(), 1) << "the module let the argument go";
    memberless->Release();
    RemoveTree(c.path);
    return what + L" | " + outcome;
  }

  // A failure says what went wrong, or it is one of the bare codes a member answers by design,
  // or a code the dispatch layer gives for an argument it could not convert. (The dispatch layer
  // hands a bare failure of the member over as an exception without a description.)
  static void CheckFailure(HRESULT hr, const EXCEPINFO& exception) {
    if (hr == DISP_E_EXCEPTION) {
      EXPECT_TRUE(FAILED(exception.scode)) << "an exception without a failure code";
      if (exception.bstrDescription && *exception.bstrDescription) return;
      hr = exception.scode;
    }
    if (FAILED(hr)) {
      EXPECT_NE(std::wstring(CodeName(hr)), L"")
          << std::hex << "0x" << static_cast<unsigned long>(hr) << " fails without a description";
    }
  }

  CaseFolder NewCase() {
    CaseFolder c{dir_ / (L"cases\\" + std::to_wstring(++cases_))};
    ::CreateDirectoryW(c.path.c_str(), nullptr);
    ::CreateDirectoryW((c / L"dir").c_str(), nullptr);
    WriteBytes(c / L"a.txt", "[section]\r\nkey=value\r\nline three\r\n");
    WriteBytes(c / L"b.txt", "second file\r\n");
    WriteBytes(c / L"dir\\inner.txt", "inner\r\n");
    // What a name cut at its NUL would act on, in the current folder.
    RemoveTree(cwd_);
    ::CreateDirectoryW(cwd_.c_str(), nullptr);
    ::SetCurrentDirectoryW(cwd_.c_str());
    WriteBytes(cwd_ + L"\\a.txt", "in the current folder\r\n");
    return c;
  }

  // Scratch paths in their long and short forms, and the account, by what they stand for.
  Substitutions Masks(const CaseFolder& c) const {
    const std::pair<std::wstring, const wchar_t*> places[] = {
        {c.path, L"{case}"}, {cwd_, L"{cwd}"}, {temp_, L"{temp}"}, {dir_.path(), L"{scratch}"}};
    Substitutions result;
    for (const auto& [path, name] : places) {
      result.emplace_back(path, name);
      wchar_t shortForm[MAX_PATH] = {};
      if (::GetShortPathNameW(path.c_str(), shortForm, MAX_PATH) && path != shortForm)
        result.emplace_back(shortForm, name);
    }
    result.emplace_back(computer_, L"{computer}");
    result.emplace_back(user_, L"{user}");
    return result;
  }

  const std::vector<std::wstring> watchedByCall_;
  const std::vector<std::wstring> watchedBySweep_;
  const std::set<std::wstring> before_;
  ScratchDir dir_;
  const std::wstring cwd_;
  const std::wstring temp_;
  EnvironmentChange tmp_{L"TMP", temp_};
  EnvironmentChange tempVariable_{L"TEMP", temp_};
  AllocationHook hook_;
  Watchdog watchdog_;
  ComPtr<IFileManager> manager_ = NewManager();
  std::wstring computer_, user_;
  wchar_t savedCurrent_[MAX_PATH] = {};
  int cases_ = 0;
};

// Sweeps the target of that label and compares the table.
void ArgumentSweep::Sweep(const std::wstring& label) {
  const Target* found = nullptr;
  for (const Target& target : kTargets)
    if (label == target.label) found = &target;
  ASSERT_NE(found, nullptr);
  const Target& target = *found;
  ASSERT_TRUE(hook_.installed());
  const SweptLibrary library(LoadedModule::BuiltModulePath());
  const SweptInterface* swept = library.Find(*target.iid);
  ASSERT_NE(swept, nullptr);

  std::wstring table = L"# What every member of " + std::wstring(target.label) +
                       L" answers, with good arguments and with each argument hostile in turn.\n"
                       L"# Written by ./scripts/sweep-table; compared by the argument sweep.\n";
  for (const SweptMember& member : swept->members) {
    table += Call(target, *swept, member, -1, Hostile::Empty) + L"\n";
    for (size_t i = 0; i < member.parameters.size(); ++i)
      for (Hostile hostile : kHostile)
        table += Call(target, *swept, member, static_cast<int>(i), hostile) + L"\n";
  }
  manager_.reset();
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_OK) << "nothing of the module is left alive";
  const std::string changes = Changes(before_, Snapshot(watchedBySweep_));
  EXPECT_EQ(changes, "") << "something outside the scratch folder changed";

  const std::wstring file = TableFolder() + L"\\" + target.label + L".txt";
  if (UpdatingTables()) {
    ASSERT_TRUE(WriteTable(file, table)) << Narrow(file);
    return;
  }
  const std::vector<std::wstring> differences = TableDifferences(ReadTable(file), table);
  std::wstring shown;
  for (size_t i = 0; i < differences.size() && i < 40; ++i) shown += differences[i] + L"\n";
  EXPECT_TRUE(differences.empty())
      << Narrow(file) << " no longer says what the members answer (" << differences.size()
      << " lines differ); review the change and write the table anew with ./scripts/sweep-table:\n"
      << Narrow(shown);
}

TEST_F(ArgumentSweep, FileManager) { Sweep(L"IFileManager"); }
TEST_F(ArgumentSweep, Dictionary) { Sweep(L"IDictionary"); }
TEST_F(ArgumentSweep, File) { Sweep(L"IFile"); }
TEST_F(ArgumentSweep, Folder) { Sweep(L"IFolder"); }
TEST_F(ArgumentSweep, FileCollection) { Sweep(L"IFileCollection"); }
TEST_F(ArgumentSweep, FolderCollection) { Sweep(L"IFolderCollection"); }
TEST_F(ArgumentSweep, Drive) { Sweep(L"IDrive"); }
TEST_F(ArgumentSweep, DriveCollection) { Sweep(L"IDriveCollection"); }
TEST_F(ArgumentSweep, TextStreamReading) { Sweep(L"ITextStream-reading"); }
TEST_F(ArgumentSweep, TextStreamWriting) { Sweep(L"ITextStream-writing"); }
TEST_F(ArgumentSweep, BinaryStreamReading) { Sweep(L"IBinaryStream-reading"); }
TEST_F(ArgumentSweep, BinaryStreamWriting) { Sweep(L"IBinaryStream-writing"); }
TEST_F(ArgumentSweep, PermItem) { Sweep(L"IPermItem"); }

// The sweep's own reach: every dual interface of the library has a target.
TEST(ArgumentSweepTargets, CoverEveryInterfaceOfTheLibrary) {
  const SweptLibrary library(LoadedModule::BuiltModulePath());
  for (const SweptInterface& swept : library.interfaces()) {
    bool covered = false;
    for (const Target& target : kTargets) covered |= ::IsEqualIID(*target.iid, swept.iid) != 0;
    EXPECT_TRUE(covered) << Narrow(swept.name) << " has no target in the argument sweep";
  }
}

}  // namespace
}  // namespace docket::test
