// ExportToBlob: a file's bytes appended to a database field, one chunk per AppendChunk call, in
// file order. A failure part way leaves the chunks appended before it in the field, and is always
// reported: a read that fails is never taken for the end of the file.
#include "com/guard.h"
#include "com/handles.h"
#include "com/variant.h"
#include "fsobjects/file_path.h"
#include "manager/blob_field.h"
#include "manager/file_manager.h"
#include "module/error_report.h"
#include "streams/safe_array.h"

#include <cstring>
#include <vector>

namespace docket {
namespace {

// A byte array of exactly `size` bytes copied from `bytes`, held by `chunk`.
HRESULT MakeChunk(const char* bytes, DWORD size, streams::UniqueSafeArray* chunk) {
  chunk->reset(::SafeArrayCreateVector(VT_UI1, 0, size));
  if (!*chunk) {
    ::OutputDebugStringA("Out of memory!\n");
    return E_OUTOFMEMORY;
  }
  streams::SafeArrayData<char> elements(chunk->get());
  DOCKET_RETURN_IF_FAILED(elements.result());
  std::memcpy(elements.data(), bytes, size);
  return S_OK;
}

}  // namespace

STDMETHODIMP FileManager::ExportToBlob(BSTR srcFileName, VARIANT recordSet) {
  return com::Guarded([&]() -> HRESULT {
    blob::FieldMethod appendChunk;
    DOCKET_RETURN_IF_FAILED(appendChunk.Find(recordSet, L"AppendChunk", ClassId()));
    const PlatformPath source = ToPlatformPath(srcFileName);
    if (!source) return ReportRefusedPath(ClassId(), source);

    com::UniqueFile file(::CreateFileA(source.text.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return ReportError(ClassId(), L"ExportToBlob failed - unable to open file", 0);

    std::vector<char> buffer(blob::kChunkBytes);
    for (;;) {
      DWORD read = 0;
      if (!::ReadFile(file.get(), buffer.data(), blob::kChunkBytes, &read, nullptr))
        return ReportLastError(ClassId());
      if (read == 0) return S_OK;
      streams::UniqueSafeArray chunk;
      DOCKET_RETURN_IF_FAILED(MakeChunk(buffer.data(), read, &chunk));
      com::Variant bytes, answer;
      chunk.DetachInto(bytes.get(), VT_UI1);
      DOCKET_RETURN_IF_FAILED(appendChunk.Call(bytes.get(), answer.get(), ClassId()));
    }
  });
}

}  // namespace docket
