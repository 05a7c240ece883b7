// EncryptFile and DecryptFile on a large file, called late-bound as a page calls them, next to the
// platform's own RC4 on the same bytes in memory (see bench/README.md). Time is the calling
// thread's processor time: the component works on the caller's thread.
// Usage: encrypt_file_speed.exe <input file> <work folder>
#include <windows.h>
#include <wincrypt.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRepeats = 3;  // a round runs the work this often: thread times tick in 10 ms steps
constexpr DWORD kPiece = 256 * 1024;

double ThreadSeconds() {
  FILETIME unused, kernel, user;
  ::GetThreadTimes(::GetCurrentThread(), &unused, &unused, &kernel, &user);
  auto seconds = [](const FILETIME& t) { return (ULONGLONG{t.dwHighDateTime} << 32 | t.dwLowDateTime) * 1e-7; };
  return seconds(kernel) + seconds(user);
}

void Measure(double* best, const std::function<bool()>& work) {
  const double start = ThreadSeconds();
  for (int i = 0; i < kRepeats; ++i)
    if (!work()) std::printf("failed\n"), std::exit(1);
  *best = std::min(*best, ThreadSeconds() - start);
}

// EncryptFile or DecryptFile by name, as a page calls it.
bool Crypt(IDispatch* manager, const wchar_t* name, const std::wstring& in, const std::wstring& out, LONG method) {
  DISPID id;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (FAILED(manager->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
  auto text = [](const std::wstring& t) {
    VARIANT v{};
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = ::SysAllocString(t.c_str());
    return v;
  };
  VARIANT args[4] = {{}, text(L"secret"), text(out), text(in)};  // last first
  V_VT(&args[0]) = VT_I4;
  V_I4(&args[0]) = method;
  DISPPARAMS params{args, nullptr, 4, 0};
  const HRESULT hr = manager->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                     nullptr, nullptr, nullptr);
  for (VARIANT& v : args) ::VariantClear(&v);
  return SUCCEEDED(hr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::wstring input = argv[1], out = std::wstring(argv[2]) + L"\\encrypted.bin",
                     back = std::wstring(argv[2]) + L"\\decrypted.bin";
  ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  CLSID clsid;
  IDispatch* manager = nullptr;
  if (FAILED(::CLSIDFromProgID(L"Corvane.FileManager", &clsid)) ||
      FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&manager))))
    return std::printf("the component is not registered\n"), 1;

  // The file's bytes in memory, for the platform's raw RC4 keyed as the component keys it.
  std::ifstream file(std::filesystem::path(input), std::ios::binary);
  std::vector<BYTE> bytes(std::istreambuf_iterator<char>(file), {});
  HCRYPTPROV provider = 0;
  HCRYPTHASH hash = 0;
  HCRYPTKEY key = 0;
  ::CryptAcquireContextW(&provider, nullptr, MS_ENHANCED_PROV_W, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT);
  ::CryptCreateHash(provider, CALG_MD5, 0, 0, &hash);
  ::CryptHashData(hash, reinterpret_cast<const BYTE*>("secret"), 6, 0);
  ::CryptDeriveKey(provider, CALG_RC4, hash, 0, &key);

  const char* names[] = {"EncryptFile, Twofish (QFTWOFISH)", "DecryptFile, Twofish", "EncryptFile, RC4 (QFRSA)",
                         "DecryptFile, RC4", "CryptoAPI RC4 alone, in memory"};
  const std::function<bool()> work[] = {
      [&] { return Crypt(manager, L"EncryptFile", input, out, 2); },
      [&] { return Crypt(manager, L"DecryptFile", out, back, 2); },
      [&] { return Crypt(manager, L"EncryptFile", input, out, 1); },
      [&] { return Crypt(manager, L"DecryptFile", out, back, 1); },
      [&] {
        for (size_t at = 0; at < bytes.size(); at += kPiece) {
          DWORD length = static_cast<DWORD>(std::min<size_t>(kPiece, bytes.size() - at));
          if (!::CryptEncrypt(key, 0, FALSE, 0, bytes.data() + at, &length, length)) return false;
        }
        return true;
      },
  };
  double best[5] = {1e9, 1e9, 1e9, 1e9, 1e9};
  for (int round = 0; round < 5; ++round)
    for (int i = 0; i < 5; ++i) Measure(&best[i], work[i]);
  const double mb = kRepeats * bytes.size() / 1e6;
  std::printf("%.0f MB file, %d times a round; fastest of 5 rounds\n", bytes.size() / 1e6, kRepeats);
  std::printf("%-40s %10s\n", "measure", "MB/s");
  for (int i = 0; i < 5; ++i) std::printf("%-40s %10.0f\n", names[i], mb / best[i]);
  std::printf("%-40s %10.2f\n", "EncryptFile RC4 / CryptoAPI RC4 alone", best[4] / best[2]);
  manager->Release();
  ::CoUninitialize();
  return 0;
}
