#pragma once
// Owners for the handles and automation values the host passes around, so that no early return
// leaks a string, a variant or a file handle.
#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

namespace pagehost {

template <class Interface>
using ComPtr = Microsoft::WRL::ComPtr<Interface>;

class UniqueBstr {
public:
    UniqueBstr() = default;
    explicit UniqueBstr(BSTR owned) : value_(owned) {}
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;
    ~UniqueBstr() { SysFreeString(value_); }

    BSTR get() const { return value_; }
    BSTR* put() { SysFreeString(value_); value_ = nullptr; return &value_; }
    UINT length() const { return SysStringLen(value_); }

private:
    BSTR value_ = nullptr;
};

class UniqueVariant {
public:
    UniqueVariant() { VariantInit(&value_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { VariantClear(&value_); }

    VARIANT* get() { return &value_; }
    const VARIANT* get() const { return &value_; }
    // Hands the value to a caller-owned VARIANT and leaves this one empty.
    void MoveTo(VARIANT* target) { *target = value_; VariantInit(&value_); }

private:
    VARIANT value_;
};

class UniqueHandle {
public:
    explicit UniqueHandle(HANDLE owned) : value_(owned) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { if (valid()) CloseHandle(value_); }

    HANDLE get() const { return value_; }
    bool valid() const { return value_ != nullptr && value_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE value_;
};

// EXCEPINFO carries three strings that the receiver must free.
class OwnedExcepInfo {
public:
    OwnedExcepInfo() { ZeroMemory(&value_, sizeof value_); }
    OwnedExcepInfo(const OwnedExcepInfo&) = delete;
    OwnedExcepInfo& operator=(const OwnedExcepInfo&) = delete;
    ~OwnedExcepInfo() {
        SysFreeString(value_.bstrSource);
        SysFreeString(value_.bstrDescription);
        SysFreeString(value_.bstrHelpFile);
    }

    EXCEPINFO* get() { return &value_; }
    const EXCEPINFO& operator*() const { return value_; }
    // Some engines defer the expensive part of an error report until it is asked for.
    void Complete() {
        if (value_.pfnDeferredFillIn != nullptr) {
            value_.pfnDeferredFillIn(&value_);
            value_.pfnDeferredFillIn = nullptr;
        }
    }
    HRESULT Code() const {
        if (value_.scode != 0) return value_.scode;
        return value_.wCode != 0 ? MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, value_.wCode) : S_OK;
    }

private:
    EXCEPINFO value_;
};

class ComApartment {
public:
    ComApartment() : result_(CoInitialize(nullptr)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() { if (SUCCEEDED(result_)) CoUninitialize(); }

    HRESULT result() const { return result_; }

private:
    HRESULT result_;
};

}  // namespace pagehost
