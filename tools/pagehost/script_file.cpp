#include "script_file.h"

#include <cstring>
#include <string_view>

#include "com_raii.h"

namespace pagehost {

namespace {

HRESULT LastError() {
    const DWORD error = GetLastError();
    return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error);
}

HRESULT ReadAllBytes(const std::wstring& path, std::string& bytes) {
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return LastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return LastError();
    if (size.QuadPart > 64 * 1024 * 1024) return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr))
            return LastError();
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return S_OK;
}

bool Decode(UINT codePage, DWORD flags, std::string_view bytes, std::wstring& text) {
    text.clear();
    if (bytes.empty()) return true;
    const int length = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0) return false;
    text.resize(static_cast<size_t>(length));
    return MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), text.data(), length) ==
           length;
}

HRESULT DecodeScript(std::string_view bytes, std::wstring& text) {
    if (bytes.starts_with("\xFF\xFE")) {
        bytes.remove_prefix(2);
        text.resize(bytes.size() / sizeof(wchar_t));
        std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
        return S_OK;
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
        return Decode(CP_UTF8, 0, bytes, text) ? S_OK : HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION);
    }
    if (Decode(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, text)) return S_OK;
    return Decode(CP_ACP, 0, bytes, text) ? S_OK : HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION);
}

}  // namespace

HRESULT LoadScriptFile(ScriptFile& file) {
    std::string bytes;
    if (const HRESULT hr = ReadAllBytes(file.path, bytes); FAILED(hr)) return hr;
    return DecodeScript(bytes, file.text);
}

}  // namespace pagehost
