// Every member of every interface in the type library, called through IDispatch::Invoke with good
// arguments, then with each argument in turn hostile. Every call returns; a failure is described or
// a bare code by design; the object keeps working; no argument stays referenced; nothing outside the
// scratch folder changes. The answers are kept in tests/argument_sweep/<target>.txt for review.
#include "chunk_field.h"
#include "counting_dispatch.h"
#include "support/allocation_hook.h"
#include "support/sweep_members.h"
#include "support/sweep_table.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <set>

namespace docket::test {
namespace {

// A module allocation this large fails (E_OUTOFMEMORY), and one half as large is noted in the
// table: a count of 2^31-1 must not make the process take gigabytes.
constexpr size_t kAllocationCap = 256u << 20, kNotedAllocation = 64u << 20;
constexpr DWORD kCallDeadlineMs = 60000;

// The folder each call works in, made afresh: two text files and a folder with a file in it.
struct CaseFolder {
  std::wstring path;
  std::wstring operator/(const std::wstring& name) const { return name.empty() ? path : path + L"\\" + name; }
};

VARIANT Of(VARTYPE type, SCODE error = 0) {
  VARIANT v{};
  V_VT(&v) = type;
  V_ERROR(&v) = error;
  return v;
}

VARIANT Text(const std::wstring& text) {
  VARIANT v = Of(VT_BSTR);
  V_BSTR(&v) = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return v;
}

VARIANT Object(IUnknown* object, VARTYPE type = VT_DISPATCH) {  // takes the caller's reference
  VARIANT v = Of(type);
  V_UNKNOWN(&v) = object;
  return v;
}

// Good arguments; the most specific key wins: "Interface.Member.Param", "Member.Param",
// "Interface.Param", "Param". "@name" is a name in the case folder, "#n" a number, "*field" a database
// field, "*object" an object without members. Without a key, the library's default is taken.
const std::map<std::wstring, std::wstring> kGoodValues = {
    {L"Source", L"@a.txt"}, {L"MoveFolder.Source", L"@dir"}, {L"CopyFolder.Source", L"@dir"},
    {L"Destination", L"@dest"}, {L"FilePath", L"@a.txt"}, {L"FolderPath", L"@dir"},
    {L"FolderSpec", L"@dir"}, {L"FileSpec", L"@a.txt"}, {L"FileName", L"@a.txt"},
    {L"CreateUniqueFile.FileName", L"@"}, {L"srcFileName", L"@a.txt"},
    {L"DLLFileName", L"@missing.dll"},  // never a module that exists
    {L"targetFileName", L"@imported.bin"}, {L"destName", L"@joined.txt"}, {L"file1", L"@a.txt"},
    {L"file2", L"@b.txt"}, {L"Path", L"@dir"}, {L"CreateFolder.Path", L"@new\\deeper"},
    {L"InFile", L"@a.txt"}, {L"OutFile", L"@out.bin"}, {L"bstrFileAppendTo", L"@b.txt"},
    {L"bstrFileCompareTo", L"@b.txt"}, {L"prefixString", L"pre"}, {L"recordSet", L"*field"},
    {L"srcRecordSet", L"*field"}, {L"Domain", L"domain"}, {L"UserID", L"user"},
    {L"Password", L"secret"}, {L"Section", L"section"}, {L"Key", L"key"}, {L"Value", L"1"},
    {L"Name", L"name.txt"}, {L"DriveSpec", L"C:"}, {L"AccountName", L"Everyone"}, {L"Val", L"#1"},
    {L"Text", L"text"}, {L"SpecialFolder", L"#2"},  // the temporary folder, which is the sweep's own
    {L"Characters", L"#3"}, {L"Lines", L"#2"}, {L"numBytes", L"#4"}, {L"Bytes", L"2"},
    {L"Byte", L"#65"}, {L"piUnk", L"*object"}, {L"IDictionary.Key", L"a.txt"},
    {L"IDictionary.Add.Key", L"c.txt"}, {L"IDictionary.Item", L"item"},
    {L"IDictionary.Item.value", L"item"}, {L"IDictionary.Key.value", L"c.txt"},
    {L"IFileCollection.Key", L"a.txt"}, {L"IFolderCollection.Key", L"dir"},
    {L"IDriveCollection.Key", L"C:\\"}, {L"CompareMode.value", L"#1"},
    {L"IFile.Name.value", L"renamed.txt"}, {L"IFolder.Name.value", L"renamed"},
    {L"Attributes.value", L"#0"}, {L"SearchWildCard.value", L"*.txt"},
    {L"VolumeName.value", L"sweep"}, {L"Owner.value", L"Everyone"},
};

VARIANT MakeValue(const std::wstring& spec, const CaseFolder& c) {
  static bool gone;  // outlives the object, whose end is of no interest here
  if (spec == L"*field") return Object(ChunkField::New());
  if (spec == L"*object") return Object(CountingDispatch::New(&gone), VT_UNKNOWN);
  if (!spec.empty() && spec[0] == L'@') return Text(c / spec.substr(1));
  if (!spec.empty() && spec[0] == L'#') return VI4(std::stol(spec.substr(1)));
  return Text(spec);
}

std::optional<VARIANT> GoodValue(const SweptInterface& swept, const SweptMember& member,
                                 const SweptParameter& parameter, const CaseFolder& c) {
  for (const std::wstring& key : {swept.name + L"." + member.name + L"." + parameter.name,
                                  member.name + L"." + parameter.name,
                                  swept.name + L"." + parameter.name, parameter.name}) {
    if (auto found = kGoodValues.find(key); found != kGoodValues.end()) return MakeValue(found->second, c);
  }
  if (!parameter.defaultValue) return std::nullopt;
  VARIANT v{};
  ::VariantCopy(&v, parameter.defaultValue.get());
  return v;
}

// Hostile arguments, each made from the good value it replaces.
struct Hostile {
  const wchar_t* name;
  VARIANT (*make)(VARIANT* good, IDispatch* memberless);
  bool number = false;
};
const Hostile kHostile[] = {
    {L"Empty", [](VARIANT*, IDispatch*) { return Of(VT_EMPTY); }},
    {L"Null", [](VARIANT*, IDispatch*) { return Of(VT_NULL); }},
    {L"missing", [](VARIANT*, IDispatch*) { return Of(VT_ERROR, DISP_E_PARAMNOTFOUND); }},
    {L"100000 characters", [](VARIANT*, IDispatch*) { return Text(std::wstring(100000, L'x')); }},
    {L"\"a.txt\\0.exe\"", [](VARIANT*, IDispatch*) { return Text(std::wstring(L"a.txt\0.exe", 10)); }},
    {L"-1", [](VARIANT*, IDispatch*) { return VI4(-1); }, true},
    {L"2147483647", [](VARIANT*, IDispatch*) { return VI4(0x7FFFFFFF); }, true},
    {L"array", [](VARIANT*, IDispatch*) {
       VARIANT v = Of(VT_ARRAY | VT_VARIANT);
       V_ARRAY(&v) = ::SafeArrayCreateVector(VT_VARIANT, 0, 2);
       static_cast<VARIANT*>(V_ARRAY(&v)->pvData)[0] = Text(L"a.txt");
       static_cast<VARIANT*>(V_ARRAY(&v)->pvData)[1] = VI4(1);
       return v;
     }},
    {L"object without members", [](VARIANT*, IDispatch* memberless) {
       memberless->AddRef();
       return Object(memberless);
     }},
    {L"by reference", [](VARIANT* good, IDispatch*) {
       VARIANT v = Of(VT_BYREF | VT_VARIANT);
       V_VARIANTREF(&v) = good;
       return v;
     }},
};

// A call the sweep leaves out, and why: a bare INI file name is a file in the Windows folder, and
// the only drive the sweep has is a real one.
std::wstring WhyNotCalled(const SweptInterface& swept, const SweptMember& member, int hostileIndex,
                          const Hostile* hostile) {
  if (hostile && hostile->number && member.name.rfind(L"INI", 0) == 0 &&
      member.parameters[hostileIndex].name == L"FileName")
    return L"(not called: a bare name is a file in the Windows folder)";
  if (swept.name == L"IDrive" && member.Label() == L"VolumeName put")
    return L"(not called: it would change the label of a real drive)";
  return {};
}

// Variants cleared when they go.
struct Variants : std::vector<VARIANT> {
  using vector::vector;
  ~Variants() {
    for (VARIANT& v : *this) ::VariantClear(&v);
  }
};

// An object of each interface, made afresh for every call, and a call that must keep answering.
using Make = std::function<HRESULT(IDispatch* manager, const CaseFolder&, ComPtr<IDispatch>*)>;
using Probe = std::function<HRESULT(IDispatch*)>;
struct Target {
  const wchar_t* label;  // the table's name
  const IID* iid;
  Make make;
  Probe probe;
};

// The object a call gave, or an enumerator's first item.
HRESULT Held(VARIANT* value, ComPtr<IDispatch>* out) {
  ComPtr<IEnumVARIANT> items;
  Variant first;
  if (V_VT(value) == VT_UNKNOWN && V_UNKNOWN(value) &&
      SUCCEEDED(V_UNKNOWN(value)->QueryInterface(IID_IEnumVARIANT, items.put_void())))
    return items->Next(1, first.get(), nullptr) == S_OK ? Held(first.get(), out) : E_FAIL;
  if (V_VT(value) != VT_DISPATCH || !V_DISPATCH(value)) return E_FAIL;
  *out = ComPtr<IDispatch>(V_DISPATCH(value));
  return S_OK;
}

// The object a FileManager member gives for the argument (if any), or what a property of it gives.
Make Via(const wchar_t* member, const wchar_t* argument, const wchar_t* property = nullptr) {
  return [=](IDispatch* manager, const CaseFolder& c, ComPtr<IDispatch>* out) {
    Variant first, second;
    std::vector<VARIANT> arguments;
    if (argument) arguments.push_back(MakeValue(argument, c));
    const WORD flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
    HRESULT hr = CallByName(manager, member, flags, arguments, first.get()).hr;
    if (SUCCEEDED(hr)) hr = Held(first.get(), out);
    if (FAILED(hr) || !property) return hr;
    hr = CallByName(out->get(), property, DISPATCH_PROPERTYGET, {}, second.get()).hr;
    return FAILED(hr) ? hr : Held(second.get(), out);
  };
}

Probe Calls(const wchar_t* name, WORD flags = DISPATCH_PROPERTYGET, std::vector<LONG> numbers = {}) {
  return [=](IDispatch* object) {
    Variant ignored;
    std::vector<VARIANT> arguments;
    for (LONG n : numbers) arguments.push_back(VI4(n));
    return CallByName(object, name, flags, arguments, ignored.get()).hr;
  };
}

const Target kTargets[] = {
    {L"IFileManager", &IID_IFileManager,
     [](IDispatch*, const CaseFolder&, ComPtr<IDispatch>* out) { return NewManager().As(out); },
     [](IDispatch* object) {
       Variant built;
       return CallByName(object, L"BuildPath", DISPATCH_METHOD, {VBstr(L"a"), VBstr(L"b")}, built.get()).hr;
     }},
    {L"IDictionary", &IID_IDictionary,
     [](IDispatch*, const CaseFolder&, ComPtr<IDispatch>* out) {
       HRESULT hr = LoadedModule::Default().Create(CLSID_Dictionary, out->put());
       for (const wchar_t* key : {L"a.txt", L"b.txt"})
         if (SUCCEEDED(hr)) hr = CallByName(out->get(), L"Add", DISPATCH_METHOD, {VBstr(key), VBstr(key)}).hr;
       return hr;
     },
     Calls(L"Count")},
    {L"IFile", &IID_IFile, Via(L"GetFile", L"@a.txt"), Calls(L"Path")},
    {L"IFolder", &IID_IFolder, Via(L"GetFolder", L"@dir"), Calls(L"Path")},
    {L"IFileCollection", &IID_IFileCollection, Via(L"GetFolder", L"@", L"Files"), Calls(L"Count")},
    {L"IFolderCollection", &IID_IFolderCollection, Via(L"GetFolder", L"@", L"SubFolders"), Calls(L"Count")},
    {L"IDrive", &IID_IDrive, Via(L"GetDrive", L"C:"), Calls(L"Path")},
    {L"IDriveCollection", &IID_IDriveCollection, Via(L"Drives", nullptr), Calls(L"Count")},
    {L"ITextStream-reading", &IID_ITextStream, Via(L"OpenTextFile", L"@a.txt"), Calls(L"AtEndOfStream")},
    {L"ITextStream-writing", &IID_ITextStream, Via(L"CreateTextFile", L"@written.txt"), Calls(L"Line")},
    {L"IBinaryStream-reading", &IID_IBinaryStream, Via(L"OpenBinaryFile", L"@a.txt"),
     Calls(L"AtEndOfStream")},
    {L"IBinaryStream-writing", &IID_IBinaryStream, Via(L"CreateBinaryFile", L"@written.bin"),
     Calls(L"Fill", DISPATCH_METHOD, {0, 0})},
    {L"IPermItem", &IID_IPermItem, Via(L"GetFile", L"@a.txt", L"_NewEnum"),  // a file's first entry
     Calls(L"Trustee")},
};

// A call that does not return in time ends the process, naming the call: a hang fails the run.
class Deadline {
 public:
  explicit Deadline(std::string what) : what_(std::move(what)) {
    ::CreateTimerQueueTimer(&timer_, nullptr, &Expired, this, kCallDeadlineMs, 0, WT_EXECUTEONLYONCE);
  }
  ~Deadline() { ::DeleteTimerQueueTimer(nullptr, timer_, INVALID_HANDLE_VALUE); }

 private:
  static void CALLBACK Expired(void* self, BOOLEAN) {
    std::fprintf(stderr, "argument sweep: %s did not return within %lu s\n",
                 static_cast<Deadline*>(self)->what_.c_str(), kCallDeadlineMs / 1000);
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
  }
  std::string what_;
  HANDLE timer_ = nullptr;
};

// Names, sizes and write times of the entries of a few folders outside the scratch folder, one a
// line. Names that begin with "docket" are what other tests running alongside make: left out.
std::string Snapshot(const std::vector<std::wstring>& folders) {
  std::set<std::wstring> entries;
  for (const std::wstring& folder : folders) {
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(find, &entry)) {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L".." || ::_wcsnicmp(name.c_str(), L"docket", 6) == 0) continue;
      entries.insert(folder + L"\\" + name + L" " + std::to_wstring(entry.nFileSizeLow) + L" " +
                     std::to_wstring(entry.ftLastWriteTime.dwLowDateTime));
    }
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
  }
  std::wstring text;
  for (const std::wstring& entry : entries) text += entry + L"\n";
  return Utf8(text);
}

std::wstring SystemFolder(UINT(WINAPI* get)(LPWSTR, UINT)) {
  wchar_t folder[MAX_PATH] = {};
  get(folder, MAX_PATH);
  return folder;
}

class ArgumentSweep : public ::testing::Test {
 protected:
  // Relative names, the empty path and made-up temporary names all land in the scratch folder.
  ArgumentSweep() {
    for (const std::wstring& folder : {cwd_, temp_, dir_ / L"cases"}) ::CreateDirectoryW(folder.c_str(), nullptr);
    ::GetCurrentDirectoryW(MAX_PATH, saved_[0]);
    for (int i : {1, 2}) {
      ::GetEnvironmentVariableW(kTemporary[i], saved_[i], MAX_PATH);
      ::SetEnvironmentVariableW(kTemporary[i], temp_.c_str());
    }
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {}, user[256] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1, userSize = 256;
    ::GetComputerNameW(computer, &size);
    ::GetUserNameW(user, &userSize);
    masks_ = {{computer, L"{computer}"}, {user, L"{user}"}};
  }
  ~ArgumentSweep() override {
    ::SetCurrentDirectoryW(saved_[0]);
    for (int i : {1, 2}) ::SetEnvironmentVariableW(kTemporary[i], *saved_[i] ? saved_[i] : nullptr);
    memberless_->Release();
  }

  void Sweep(const std::wstring& label);

  // One call on a fresh object in a fresh case folder; its line of the table.
  std::wstring Call(const Target& target, const SweptInterface& swept, const SweptMember& member,
                    int hostileIndex, const Hostile* hostile) {
    const std::wstring what = member.Label() + L" | " +
        (hostile ? member.parameters[hostileIndex].name + L" = " + hostile->name : L"good arguments");
    SCOPED_TRACE(Utf8(std::wstring(target.label) + L": " + what));
    if (const std::wstring why = WhyNotCalled(swept, member, hostileIndex, hostile); !why.empty())
      return what + L" | " + why;
    const CaseFolder c = NewCase();
    std::wstring outcome;
    {
      ComPtr<IDispatch> object;
      const HRESULT made = target.make(manager_.get(), c, &object);
      EXPECT_EQ(made, S_OK) << "the target is made";
      if (FAILED(made)) return what + L" | (no object)";
      const size_t n = member.parameters.size();
      Variants arguments(n), referenced(n);  // the arguments last first, as DISPPARAMS has them
      for (size_t i = 0; i < n; ++i) {
        std::optional<VARIANT> good = GoodValue(swept, member, member.parameters[i], c);
        EXPECT_TRUE(good) << "no good value for " << Utf8(member.parameters[i].name);
        if (!good) continue;
        const bool isHostile = static_cast<int>(i) == hostileIndex;
        if (isHostile) referenced[i] = *good;  // kept for a reference to point at
        arguments[n - 1 - i] = isHostile ? hostile->make(&referenced[i], memberless_) : *good;
      }
      DISPID put = DISPID_PROPERTYPUT;
      const bool isPut = member.flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
      DISPPARAMS params{arguments.data(), isPut ? &put : nullptr, static_cast<UINT>(n), isPut ? 1u : 0u};
      Variant result;
      EXCEPINFO exception{};
      UINT argumentError = 0;
      const std::string around = Snapshot(watchedByCall_);
      ClearError();
      hook_.Reset();
      hook_.FailRequestsFrom(kAllocationCap);
      HRESULT hr;
      {
        Deadline deadline(Utf8(std::wstring(target.label) + L" " + what));
        hr = object->Invoke(member.id, IID_NULL, LOCALE_USER_DEFAULT, member.flags, &params,
                            isPut ? nullptr : result.get(), &exception, &argumentError);
      }
      const size_t largest = hook_.largest();
      hook_.Reset();
      EXPECT_EQ(LineChanges(around, Snapshot(watchedByCall_)), "") << "the call changed something outside";
      if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
      outcome = DescribeResult(hr, exception, *result.get(), Masks(c));
      CheckFailure(hr, exception);
      if (largest >= kNotedAllocation) outcome += L"; asked for " + std::to_wstring(largest >> 20) + L" MiB";
      if (FAILED(target.probe(object.get()))) {
        outcome += L"; the object stops answering";
        EXPECT_FALSE(FAILED(hr)) << "a call that failed left the object broken";
      }
      for (BSTR text : {exception.bstrDescription, exception.bstrSource, exception.bstrHelpFile})
        ::SysFreeString(text);
    }
    EXPECT_EQ(memberless_->refs(), 1) << "the module let the argument go";
    RemoveTree(c.path);
    return what + L" | " + outcome;
  }

  // A failure says what went wrong, or is a bare code a member answers by design or the dispatch
  // layer gives (which hands a bare failure over as an exception without a description).
  static void CheckFailure(HRESULT hr, const EXCEPINFO& exception) {
    if (hr == DISP_E_EXCEPTION) {
      EXPECT_TRUE(FAILED(exception.scode)) << "an exception without a failure code";
      if (exception.bstrDescription && *exception.bstrDescription) return;
      hr = exception.scode;
    }
    if (FAILED(hr))
      EXPECT_NE(std::wstring(CodeName(hr)), L"") << std::hex << hr << " fails without a description";
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
    Substitutions result;
    for (const auto& [path, name] : {std::pair{c.path, L"{case}"}, {cwd_, L"{cwd}"}, {temp_, L"{temp}"},
                                     {dir_.path(), L"{scratch}"}}) {
      result.emplace_back(path, name);
      wchar_t shortForm[MAX_PATH] = {};
      if (::GetShortPathNameW(path.c_str(), shortForm, MAX_PATH) && path != shortForm)
        result.emplace_back(shortForm, name);
    }
    result.insert(result.end(), masks_.begin(), masks_.end());
    return result;
  }

  // Looked at around every call (where a name without a folder may end up), and around a sweep (the
  // temporary folder is the sweep's own while it runs; other tests leave files in the real one).
  const std::vector<std::wstring> watchedByCall_{L"C:", SystemFolder(::GetWindowsDirectoryW)};
  const std::vector<std::wstring> watchedBySweep_{SystemFolder(::GetSystemDirectoryW)};
  const std::string before_ = Snapshot(watchedBySweep_);
  ScratchDir dir_;
  const std::wstring cwd_ = dir_ / L"cwd", temp_ = dir_ / L"temp";
  static constexpr const wchar_t* kTemporary[] = {nullptr, L"TMP", L"TEMP"};
  wchar_t saved_[3][MAX_PATH] = {};  // the current folder and the temporary folders
  AllocationHook hook_{LoadedModule::Default().handle()};
  ComPtr<IDispatch> manager_{NewManager().get()};
  bool memberlessGone_ = false;
  CountingDispatch* memberless_ = CountingDispatch::New(&memberlessGone_);
  Substitutions masks_;
  int cases_ = 0;
};

// Sweeps the target of that label and compares the table.
void ArgumentSweep::Sweep(const std::wstring& label) {
  const Target* target = nullptr;
  for (const Target& candidate : kTargets)
    if (label == candidate.label) target = &candidate;
  ASSERT_NE(target, nullptr);
  ASSERT_TRUE(hook_.installed());
  const std::vector<SweptInterface> interfaces = SweptInterfaces(LoadedModule::BuiltModulePath());
  auto swept = std::find_if(interfaces.begin(), interfaces.end(),
                            [&](const SweptInterface& i) { return ::IsEqualIID(i.iid, *target->iid); });
  ASSERT_NE(swept, interfaces.end());

  std::wstring table = L"# What every member of " + label +
                       L" answers, with good arguments and with each argument hostile in turn.\n"
                       L"# Written by ./scripts/sweep-table; compared by the argument sweep.\n";
  for (const SweptMember& member : swept->members) {
    table += Call(*target, *swept, member, -1, nullptr) + L"\n";
    for (size_t i = 0; i < member.parameters.size(); ++i)
      for (const Hostile& hostile : kHostile)
        table += Call(*target, *swept, member, static_cast<int>(i), &hostile) + L"\n";
  }
  manager_.reset();
  EXPECT_EQ(LoadedModule::Default().CanUnloadNow(), S_OK) << "nothing of the module is left alive";
  EXPECT_EQ(LineChanges(before_, Snapshot(watchedBySweep_)), "") << "something outside changed";

  EXPECT_EQ(TableChanges(label, Utf8(table)), "")
      << "tests/argument_sweep/" << Utf8(label) << ".txt no longer says what the members answer: "
      << "review the change, then write it anew with ./scripts/sweep-table";
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
  for (const SweptInterface& swept : SweptInterfaces(LoadedModule::BuiltModulePath())) {
    bool covered = false;
    for (const Target& target : kTargets) covered |= ::IsEqualIID(*target.iid, swept.iid) != 0;
    EXPECT_TRUE(covered) << Utf8(swept.name) << " has no target in the argument sweep";
  }
}

}  // namespace
}  // namespace docket::test
