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
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kRepeats = 3;

struct Timing {
  double cpu = 1e9, wall = 1e9;
};

double ThreadSeconds() {
  FILETIME created, exited, kernel, user;
  ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) * 1e-7;
  };
  return seconds(kernel) + seconds(user);
}

double WallSeconds() {
  LARGE_INTEGER now, frequency;
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

// Runs the work three times in a row: the thread times tick in 10 ms steps.
void Measure(Timing* best, const std::function<bool()>& work) {
  const double cpu = ThreadSeconds(), wall = WallSeconds();
  for (int i = 0; i < kRepeats; ++i) {
    if (!work()) {
      std::printf("failed\n");
      std::exit(1);
    }
  }
  best->cpu = std::min(best->cpu, ThreadSeconds() - cpu);
  best->wall = std::min(best->wall, WallSeconds() - wall);
}

// Calls a method of the component by name with string and integer arguments.
bool Call(IDispatch* object, const wchar_t* name, std::vector<VARIANT> args) {
  DISPID id;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
  std::reverse(args.begin(), args.end());
  DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
  const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                    nullptr, nullptr, nullptr);
  for (VARIANT& v : args) ::VariantClear(&v);
  return SUCCEEDED(hr);
}

VARIANT Text(const std::wstring& text) {
  VARIANT v;
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = ::SysAllocString(text.c_str());
  return v;
}

VARIANT Number(LONG value) {
  VARIANT v;
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

std::wstring Wide(const char* text) { return std::wstring(text, text + strlen(text)); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::wstring input = Wide(argv[1]), work = Wide(argv[2]);
  ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  CLSID clsid;
  IDispatch* manager = nullptr;
  if (FAILED(::CLSIDFromProgID(L"Corvane.FileManager", &clsid)) ||
      FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&manager)))) {
    std::printf("the component is not registered\n");
    return 1;
  }

  // The file's bytes in memory, for the platform's raw RC4.
  HANDLE file = ::CreateFileW(input.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  LARGE_INTEGER size{};
  ::GetFileSizeEx(file, &size);
  std::vector<BYTE> bytes(static_cast<size_t>(size.QuadPart));
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
  constexpr DWORD kPiece = 256 * 1024;
  const std::unique_ptr<BYTE[]> piece(new BYTE[kPiece]);

  Timing twofish, twofishBack, rc4, rc4Back, rawRc4, copy;
  const std::wstring out = work + L"\\encrypted.bin", back = work + L"\\decrypted.bin";
  for (int round = 0; round < 5; ++round) {
    Measure(&twofish, [&] { return Call(manager, L"EncryptFile", {Text(input), Text(out), Text(L"secret"), Number(2)}); });
    Measure(&twofishBack, [&] { return Call(manager, L"DecryptFile", {Text(out), Text(back), Text(L"secret"), Number(2)}); });
    Measure(&rc4, [&] { return Call(manager, L"EncryptFile", {Text(input), Text(out), Text(L"secret"), Number(1)}); });
    Measure(&rc4Back, [&] { return Call(manager, L"DecryptFile", {Text(out), Text(back), Text(L"secret"), Number(1)}); });
    Measure(&rawRc4, [&] {
      for (size_t at = 0; at < bytes.size(); at += kPiece) {
        DWORD length = static_cast<DWORD>(std::min<size_t>(kPiece, bytes.size() - at));
        if (!::CryptEncrypt(key, 0, FALSE, 0, bytes.data() + at, &length, length)) return false;
      }
      return true;
    });
    Measure(&copy, [&] {
      HANDLE from = ::CreateFileW(input.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
      HANDLE to = ::CreateFileW(back.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      DWORD read = 0, written = 0;
      bool ok = from != INVALID_HANDLE_VALUE && to != INVALID_HANDLE_VALUE;
      while (ok && ::ReadFile(from, piece.get(), kPiece, &read, nullptr) && read > 0)
        ok = ::WriteFile(to, piece.get(), read, &written, nullptr) && written == read;
      ::CloseHandle(from);
      ::CloseHandle(to);
      return ok;
    });
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
