// Sequential byte access to one open file; the only owner of the file handle.
#pragma once

#include "com/com_object.h"
#include "module/binding.h"
#include "module/init_interfaces.h"
#include "streams/read_ahead_file.h"
#include "streams/stream_lock.h"

#include <memory>
#include <variant>

namespace docket {

class BinaryStream final : public com::ComObject<BinaryStream, IBinaryStream, IBinaryStreamInit> {
 public:
  static const CLSID& ClassId() { return CLSID_BinaryStream; }
  // Internal creation keeps its name beside the initialisation member called Create.
  using ComObject::Create;

  // IBinaryStream
  STDMETHODIMP get_AtEndOfStream(VARIANT_BOOL* EOS) override;
  STDMETHODIMP Read(LONG numBytes, VARIANT* pvarBytes) override;
  STDMETHODIMP ReadAll(VARIANT* pvarBytes) override;
  STDMETHODIMP Write(VARIANT* Bytes) override;
  STDMETHODIMP Fill(LONG Byte, LONG numBytes) override;
  STDMETHODIMP Skip(LONG Bytes) override;
  STDMETHODIMP Close() override;
  STDMETHODIMP ReadVar(LONG numBytes, VARIANT* pvarBytes) override;
  STDMETHODIMP ReadVarAll(VARIANT* pvarBytes) override;

  // IBinaryStreamInit: once; a stream that has its file refuses another with E_UNEXPECTED.
  STDMETHODIMP Create(BSTR fileName, VARIANT_BOOL overwrite) override;
  STDMETHODIMP Open(BSTR fileName, LONG ioMode, VARIANT_BOOL create) override;

  // The opening itself, for the two members above and for the TextStream that owns this stream
  // (which may open it twice: once to look at the byte-order mark, once for good).
  HRESULT CreateNamed(BSTR fileName, VARIANT_BOOL overwrite);
  HRESULT OpenNamed(BSTR fileName, LONG ioMode, VARIANT_BOOL create);

  // For the TextStream that owns this stream and serialises the calls itself: the same work as
  // the members above, returning 0 or a system error number instead of reporting it.
  DWORD ReadBytes(void* dest, DWORD size, DWORD* got);
  // The next bytes without taking them (at least `want` unless the file ends first), taking the
  // first `count` of them, and marking the end when such a look stands for a read that found none.
  DWORD PeekBytes(DWORD want, const char** data, DWORD* size) { return file_.Peek(want, data, size); }
  void ConsumeBytes(DWORD count) { file_.Consume(count); }
  void MarkEnd() { atEnd_ = true; }
  DWORD WriteBytes(const void* data, DWORD size) { return file_.Write(data, size); }
  DWORD MoveBy(LONGLONG distance) { return file_.MoveBy(distance); }
  DWORD FileSize(ULONGLONG* size) const { return file_.Size(size); }
  DWORD LimitToRemaining(ULONGLONG* count) const { return file_.LimitToRemaining(count); }
  bool AtEnd() const { return atEnd_; }
  void CloseFile() { file_.Close(); }
  // Reports a failure of the file as this class's own members do, under this class; a stream
  // that was never opened stands for no file.
  static HRESULT ReportFailure(DWORD error);

 private:
  // How the bytes read go back to the caller: the array's maker and the size of one element.
  struct ArrayForm {
    HRESULT (*make)(const BYTE* bytes, DWORD count, VARIANT* out);
    size_t elementBytes;
  };
  static const ArrayForm kByteArray;
  static const ArrayForm kVariantArray;
  // Reads up to `count` bytes, or with `whole` as many as the file's size (which covers the rest
  // of it), and hands them to `out` in `form`; failures reported.
  HRESULT ReadInto(VARIANT* out, bool whole, DWORD count, const ArrayForm& form);

  Binding<std::monostate> binding_;  // set by the initialisation that opened the file
  streams::StreamMutex mutex_;
  streams::ReadAheadFile file_;
  bool atEnd_ = false;  // a read came back empty; stays set for the life of the object
};

}  // namespace docket
