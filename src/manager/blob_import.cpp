// ImportFromBlob: a database field's bytes written to a file, one GetChunk call at a time, until
// the field answers Null, Empty, an error value or an empty chunk. The field is asked for its
// method before the target is touched. A transfer that fails part way (a failing GetChunk, an
// answer that is neither bytes nor text, a failed write) is reported, and the partial file is
// removed, so that no truncated copy is ever taken for the field's whole content.
#include "com/bstr.h"
#include "com/guard.h"
#include "com/handles.h"
#include "com/variant.h"
#include "fsobjects/file_path.h"
#include "manager/blob_field.h"
#include "manager/file_manager.h"
#include "module/error_report.h"
#include "streams/safe_array.h"
#include "streams/write_fully.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

namespace docket {
namespace {

constexpr wchar_t kNeitherBytesNorText[] = L"GetChunk returned neither a byte array nor a string";

class ChunkWriter {
 public:
  ChunkWriter(HANDLE file, REFCLSID reporter) : file_(file), reporter_(reporter) {}

  // Writes one answer of GetChunk. *ended becomes true for an answer that ends the data.
  HRESULT Write(const VARIANT& chunk, bool* ended) {
    switch (V_VT(&chunk)) {
      case VT_EMPTY:
      case VT_NULL:
      case VT_ERROR:
        *ended = true;
        return S_OK;
      case VT_ARRAY | VT_UI1:
        return WriteBytes(V_ARRAY(&chunk), ended);
      case VT_BSTR:
        return WriteText(com::View(V_BSTR(&chunk)), ended);
      default:
        return ReportError(reporter_, kNeitherBytesNorText, 0);
    }
  }

 private:
  // Every byte of the array, whatever its lower bound, and however many the field gave.
  HRESULT WriteBytes(SAFEARRAY* bytes, bool* ended) {
    if (!bytes || ::SafeArrayGetDim(bytes) != 1)
      return ReportError(reporter_, kNeitherBytesNorText, 0);
    const ULONG count = bytes->rgsabound[0].cElements;
    *ended = count == 0;
    if (*ended) return S_OK;
    streams::SafeArrayData<const char> elements(bytes);
    DOCKET_RETURN_IF_FAILED(elements.result());
    return WriteOut(elements.data(), count);
  }

  // Each character becomes its low 8 bits, in pieces of one chunk, so that a long string costs
  // no more memory than a chunk.
  HRESULT WriteText(std::wstring_view text, bool* ended) {
    *ended = text.empty();  // an empty string asked again would come back empty for ever
    if (text.empty()) return S_OK;
    if (!buffer_) buffer_.reset(new (std::nothrow) char[blob::kChunkBytes]);
    if (!buffer_) return ReportError(reporter_, L"Insufficient memory available.", 0);
    while (!text.empty()) {
      const size_t piece = std::min<size_t>(text.size(), blob::kChunkBytes);
      std::transform(text.begin(), text.begin() + piece, buffer_.get(),
                     [](wchar_t c) { return static_cast<char>(c & 0xFF); });
      DOCKET_RETURN_IF_FAILED(WriteOut(buffer_.get(), static_cast<ULONG>(piece)));
      text.remove_prefix(piece);
    }
    return S_OK;
  }

  HRESULT WriteOut(const char* bytes, ULONG size) {
    const std::uint32_t error =
        streams::WriteFully(bytes, size, [&](const char* data, std::uint32_t n, std::uint32_t* done) {
          DWORD written = 0;
          const BOOL ok = ::WriteFile(file_, data, n, &written, nullptr);
          *done = written;
          return ok ? 0u : static_cast<std::uint32_t>(::GetLastError());
        });
    return error ? ReportSystemError(reporter_, error) : S_OK;
  }

  HANDLE file_;
  REFCLSID reporter_;
  std::unique_ptr<char[]> buffer_;  // for text only; made when the first string arrives
};

// Asks the field for chunks until its data ends, and writes them to `file`.
HRESULT ReceiveChunks(const blob::FieldMethod& getChunk, HANDLE file, REFCLSID reporter) {
  ChunkWriter writer(file, reporter);
  for (bool ended = false; !ended;) {
    com::Variant size, answer, chunk;
    V_VT(size.get()) = VT_I4;
    V_I4(size.get()) = blob::kChunkBytes;
    DOCKET_RETURN_IF_FAILED(getChunk.Call(size.get(), answer.get(), reporter));
    // An answer by reference (as some objects give a variable back) counts as its value.
    DOCKET_RETURN_IF_FAILED(::VariantCopyInd(chunk.get(), answer.get()));
    DOCKET_RETURN_IF_FAILED(writer.Write(*chunk.get(), &ended));
  }
  return S_OK;
}

}  // namespace

STDMETHODIMP FileManager::ImportFromBlob(VARIANT srcRecordSet, BSTR targetFileName) {
  return com::Guarded([&]() -> HRESULT {
    blob::FieldMethod getChunk;
    DOCKET_RETURN_IF_FAILED(getChunk.Find(srcRecordSet, L"GetChunk", ClassId()));
    const PlatformPath target = ToPlatformPath(targetFileName);
    if (!target) return ReportRefusedPath(ClassId(), target);

    com::UniqueFile file(::CreateFileA(target.text.c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!file) return ReportLastError(ClassId());
    // Only a file on disk is removed after a failure: a device (NUL, a console, a pipe) is left.
    const bool onDisk = ::GetFileType(file.get()) == FILE_TYPE_DISK;

    HRESULT hr = ReceiveChunks(getChunk, file.get(), ClassId());
    if (SUCCEEDED(hr) && !file.close()) hr = ReportLastError(ClassId());
    if (FAILED(hr)) {
      file.reset();
      if (onDisk) ::DeleteFileA(target.text.c_str());
    }
    return hr;
  });
}

}  // namespace docket
