#include "crypto/file_cipher.h"

#include "com/ansi.h"
#include "com/guard.h"
#include "crypto/cipher_files.h"
#include "crypto/key_text.h"
#include "crypto/stream_cipher_key.h"
#include "module/error_report.h"

#include <memory>

namespace docket::crypto {
namespace {

// The 128-byte chunk is the formats' unit of logic, not of the system calls: the files are read
// and written in pieces of many chunks.
constexpr DWORD kPieceBytes = 2048 * BlockFileCipher::kChunkBytes;

// The longest password the stream-cipher method takes, in bytes of the system code page: other
// readers of the format keep it in a buffer of 1024 bytes with the terminator.
constexpr size_t kMaxStreamPasswordBytes = 1023;

// One encryption or decryption: the files, and the failure reports in the texts scripts know.
class CipherRun {
 public:
  CipherRun(REFCLSID reporter, CipherDirection direction)
      : reporter_(reporter), encrypting_(direction == CipherDirection::kEncrypt) {}

  bool encrypting() const { return encrypting_; }
  CipherInput& input() { return input_; }
  CipherOutput& output() { return output_; }

  HRESULT OpenInput(const std::string& path) {
    return input_.Open(path) == 0 ? S_OK : Fail("Error opening Plaintext file!");
  }
  HRESULT OpenOutput(const std::string& path) {
    if (const DWORD error = output_.Open(path))
      return Fail("Error opening Ciphertext file", "Error opening Ciphertext file!", error);
    return S_OK;
  }

  // A fixed text, reported with code 0 (the caller sees DISP_E_EXCEPTION).
  HRESULT Fail(const char* message) const { return ReportError(reporter_, message, 0); }
  // Encryption reports the system's text for the error after "<what>: "; decryption only its
  // own fixed text.
  HRESULT Fail(const char* what, const char* decryptingMessage, DWORD error) const {
    if (!encrypting_) return Fail(decryptingMessage);
    return ReportSystemError(reporter_, error, (std::string(what) + ": ").c_str());
  }

 private:
  REFCLSID reporter_;
  const bool encrypting_;
  CipherInput input_;
  CipherOutput output_;
};

// The password as scripts hand it over ends at its first NUL, as it always has.
std::wstring_view UpToNul(std::wstring_view text) { return text.substr(0, text.find(L'\0')); }

HRESULT DeriveStreamKey(const CipherRun& run, std::string_view password, StreamCipherKey* key) {
  using Step = StreamCipherKey::Step;
  const StreamCipherKey::Failure failure = key->Derive(password);
  switch (failure.step) {
    case Step::kNone: return S_OK;
    case Step::kAcquireContext:
      return run.Fail("Error creating key container", "Error creating key container!", failure.error);
    case Step::kCreateHash: return run.Fail("Error during CryptCreateHash!");
    case Step::kHashData: return run.Fail("Error during CryptHashData!");
    case Step::kDeriveKey: return run.Fail("Error during CryptDeriveKey!");
  }
  return E_UNEXPECTED;
}

}  // namespace

HRESULT StreamCipherFile(REFCLSID reporter, CipherDirection direction, const std::string& inPath,
                         const std::string& outPath, std::wstring_view password) {
  const std::string passwordBytes = com::ToAnsi(UpToNul(password));
  if (passwordBytes.size() > kMaxStreamPasswordBytes)
    return ReportSystemError(reporter, ERROR_INVALID_PARAMETER);
  CipherRun run(reporter, direction);
  DOCKET_RETURN_IF_FAILED(run.OpenInput(inPath));
  // The key comes before the output: a provider that fails must not cost an existing file its
  // contents.
  StreamCipherKey key;
  DOCKET_RETURN_IF_FAILED(DeriveStreamKey(run, passwordBytes, &key));
  DOCKET_RETURN_IF_FAILED(run.OpenOutput(outPath));

  const std::unique_ptr<BYTE[]> piece(new BYTE[kPieceBytes]);
  for (;;) {
    DWORD size = 0;
    if (run.input().Read(piece.get(), kPieceBytes, &size) != 0) return run.Fail("Error reading Plaintext!");
    // The key stream runs on across pieces; the call after the last byte closes it.
    const BOOL final = size == 0;
    const BOOL transformed =
        run.encrypting() ? ::CryptEncrypt(key.get(), 0, final, 0, piece.get(), &size, kPieceBytes)
                         : ::CryptDecrypt(key.get(), 0, final, 0, piece.get(), &size);
    if (!transformed) {
      // Some providers refuse that closing call with an empty buffer; every byte is out by then.
      const DWORD refusal = run.encrypting() ? ERROR_INVALID_PARAMETER : static_cast<DWORD>(NTE_BAD_LEN);
      if (final && ::GetLastError() == refusal) return S_OK;
      return run.Fail(run.encrypting() ? "Error during CryptEncrypt!" : "Error during CryptDecrypt!");
    }
    if (run.output().Write(piece.get(), size) != 0) return run.Fail("Error writing Ciphertext!\n");
    if (final) return S_OK;
  }
}

HRESULT BlockCipherFile(REFCLSID reporter, CipherDirection direction, const std::string& inPath,
                        const std::string& outPath, std::wstring_view password) {
  const std::wstring_view text = UpToNul(password);
  const Twofish cipher(KeyFromText(KeyText(std::u16string(text.begin(), text.end()))));
  CipherRun run(reporter, direction);
  DOCKET_RETURN_IF_FAILED(run.OpenInput(inPath));
  DOCKET_RETURN_IF_FAILED(run.OpenOutput(outPath));

  BlockFileCipher format(cipher, direction);
  const std::unique_ptr<BYTE[]> in(new BYTE[kPieceBytes]);
  const std::unique_ptr<BYTE[]> out(new BYTE[kPieceBytes + BlockFileCipher::kMaxHeldBytes]);
  for (;;) {
    DWORD size = 0;
    if (run.input().Read(in.get(), kPieceBytes, &size) != 0) return run.Fail("Error reading Plaintext!");
    const size_t settled = size ? format.Update(in.get(), size, out.get()) : format.Finish(out.get());
    if (run.output().Write(out.get(), static_cast<DWORD>(settled)) != 0) {
      return run.Fail(format.FailedWriteNamesCiphertext(run.output().written()) ? "Error writing Ciphertext!\n"
                                                                                : "Error writing Plaintext!\n");
    }
    if (size == 0) return S_OK;
  }
}

}  // namespace docket::crypto
