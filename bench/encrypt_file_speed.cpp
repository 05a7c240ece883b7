// EncryptFile on a large file, called late-bound as a page calls it, for both methods, next to
// the platform's own RC4 on the same bytes in memory and a plain copy of the file: the ceilings
// the stream-cipher method can approach. Each measure runs in turns with the others and its
// fastest round counts; time is the calling thread's processor time (user and system), since the
// component works on the caller's thread, and other load on a shared machine then does not
// decide the ratios. Wall-clock figures are printed beside.
// Usage: encrypt_file_speed.exe <input file> <work folder>
#include <windows.h>
#include <wincrypt.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRepeats = 3;  // a round runs the work this often: thread times tick in 10 ms steps
constexpr DWORD kPiece = 256 * 1024;

struct Timing {
  double cpu = 1e9, wall = 1e9;
};

double Seconds(const FILETIME& t) { return (ULONGLONG{t.dwHighDateTime} << 32 | t.dwLowDateTime) * 1e-7; }

Timing Now() {
  FILETIME created, exited, kernel, user;
  LARGE_INTEGER now, frequency;
  ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return {Seconds(kernel) + Seconds(user), static_cast<double>(now.QuadPart) / frequency.QuadPart};
}

void Measure(Timing* best, const std::function<bool()>& work) {
  const Timing start = Now();
  for (int i = 0; i < kRepeats; ++i)
    if (!work()) std::printf("failed\n"), std::exit(1);
  const Timing end = Now();
  best->cpu = std::min(best->cpu, end.cpu - start.cpu);
  best->wall = std::min(best->wall, end.wall - start.wall);
}

VARIANT Text(const std::wstring& text) {
  VARIANT v;
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = ::SysAllocString(text.c_str());
  return v;
}

// EncryptFile or DecryptFile by name, as a page calls it.
bool Crypt(IDispatch* manager, const wchar_t* name, const std::wstring& in, const std::wstring& out, LONG method) {
  DISPID id;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (FAILED(manager->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
  VARIANT args[4] = {{}, Text(L"secret"), Text(out), Text(in)};  // last first
  V_VT(&args[0]) = VT_I4;
  V_I4(&args[0]) = method;
  DISPPARAMS params{args, nullptr, 4, 0};
  const HRESULT hr = manager->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                     nullptr, nullptr, nullptr);
  for (VARIANT& v : args) ::VariantClear(&v);
  return SUCCEEDED(hr);
}

bool Copy(const std::wstring& from, const std::wstring& to, BYTE* piece) {
  HANDLE in = ::CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE out = ::CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD read = 0, written = 0;
  bool ok = in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE;
  while (ok && ::ReadFile(in, piece, kPiece, &read, nullptr) && read > 0)
    ok = ::WriteFile(out, piece, read, &written, nullptr) && written == read;
  ::CloseHandle(in);
  ::CloseHandle(out);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::wstring input(argv[1], argv[1] + strlen(argv[1])), work(argv[2], argv[2] + strlen(argv[2]));
  const std::wstring out = work + L"\\encrypted.bin", back = work + L"\\decrypted.bin";
  ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  CLSID clsid;
  IDispatch* manager = nullptr;
  if (FAILED(::CLSIDFromProgID(L"Corvane.FileManager", &clsid)) ||
      FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&manager)))) {
    std::printf("the component is not registered\n");
    return 1;
  }

  // The file's bytes in memory, for the platform's raw RC4 keyed as the component keys it.
  HANDLE file = ::CreateFileW(input.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  LARGE_INTEGER size{};
  ::GetFileSizeEx(file, &size);
  std::vector<BYTE> bytes(static_cast<size_t>(size.QuadPart)), piece(kPiece);
  DWORD got = 0;
  ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  ::CloseHandle(file);
  HCRYPTPROV provider = 0;
  HCRYPTHASH hash = 0;
  HCRYPTKEY key = 0;
  ::CryptAcquireContextW(&provider, nullptr, MS_ENHANCED_PROV_W, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT);
  ::CryptCreateHash(provider, CALG_MD5, 0, 0, &hash);
  ::CryptHashData(hash, reinterpret_cast<const BYTE*>("secret"), 6, 0);
  ::CryptDeriveKey(provider, CALG_RC4, hash, 0, &key);

  Timing twofish, twofishBack, rc4, rc4Back, rawRc4, copy;
  for (int round = 0; round < 5; ++round) {
    Measure(&twofish, [&] { return Crypt(manager, L"EncryptFile", input, out, 2); });
    Measure(&twofishBack, [&] { return Crypt(manager, L"DecryptFile", out, back, 2); });
    Measure(&rc4, [&] { return Crypt(manager, L"EncryptFile", input, out, 1); });
    Measure(&rc4Back, [&] { return Crypt(manager, L"DecryptFile", out, back, 1); });
    Measure(&rawRc4, [&] {
      for (size_t at = 0; at < bytes.size(); at += kPiece) {
        DWORD length = static_cast<DWORD>(std::min<size_t>(kPiece, bytes.size() - at));
        if (!::CryptEncrypt(key, 0, FALSE, 0, bytes.data() + at, &length, length)) return false;
      }
      return true;
    });
    Measure(&copy, [&] { return Copy(input, back, piece.data()); });
  }
  const double mb = kRepeats * bytes.size() / 1e6;
  auto row = [&](const char* what, const Timing& t) {
    std::printf("%-40s %10.0f %10.0f\n", what, mb / t.cpu, mb / t.wall);
  };
  std::printf("%.0f MB file, %d times a round; fastest of 5 rounds\n", bytes.size() / 1e6, kRepeats);
  std::printf("%-40s %10s %10s\n", "measure", "MB/s cpu", "MB/s wall");
  row("EncryptFile, Twofish (QFTWOFISH)", twofish);
  row("DecryptFile, Twofish", twofishBack);
  row("EncryptFile, RC4 (QFRSA)", rc4);
  row("DecryptFile, RC4", rc4Back);
  row("CryptoAPI RC4 alone, in memory", rawRc4);
  row("file copy alone (read + write)", copy);
  std::printf("%-40s %10.2f %10.2f\n", "EncryptFile RC4 / CryptoAPI RC4 alone", rawRc4.cpu / rc4.cpu, rawRc4.wall / rc4.wall);
  ::CryptDestroyKey(key);
  ::CryptDestroyHash(hash);
  ::CryptReleaseContext(provider, 0);
  manager->Release();
  ::CoUninitialize();
  return 0;
}
