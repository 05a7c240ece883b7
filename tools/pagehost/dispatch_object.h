#pragma once
// Reference counting and a name-table IDispatch for the host's own small objects. The host has no
// type library: each object lists its members and implements one CallMember switch, which is all
// a test tool needs (the product's objects dispatch through their type library instead).
#include <windows.h>
#include <oleauto.h>
#include <cwchar>
#include <new>
#include <span>
#include <utility>

#include "com_raii.h"
#include "dispatch_call.h"

namespace pagehost {

template <class Interface = IDispatch>
class DispatchObject : public Interface {
public:
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(Interface)) {
            *object = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info == nullptr) return E_POINTER;
        *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (names == nullptr || ids == nullptr) return E_POINTER;
        if (count == 0) return S_OK;
        // Members take no named arguments, so only the member name itself can be known.
        for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
        for (const DispatchMember& member : members_) {
            if (names[0] != nullptr && _wcsicmp(names[0], member.name) == 0) {
                ids[0] = member.id;
                return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
            }
        }
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* error, UINT*) override {
        if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        if ((flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0) return DISP_E_MEMBERNOTFOUND;
        if (!IsMember(id)) return DISP_E_MEMBERNOTFOUND;
        DISPPARAMS none{};
        if (params == nullptr) params = &none;
        if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
        if (result != nullptr) VariantInit(result);
        // Nothing thrown in here may reach the script engine.
        try {
            DispatchCall call(*params, result, error, source_);
            return CallMember(id, call);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

protected:
    DispatchObject(std::span<const DispatchMember> members, const wchar_t* source)
        : members_(members), source_(source) {}
    virtual ~DispatchObject() = default;

    virtual HRESULT CallMember(DISPID id, DispatchCall& call) = 0;

private:
    bool IsMember(DISPID id) const {
        for (const DispatchMember& member : members_)
            if (member.id == id) return true;
        return false;
    }

    LONG references_ = 1;
    std::span<const DispatchMember> members_;
    const wchar_t* source_;
};

// Creates a host object holding the only reference, or null when memory is short.
template <class Object, class... Arguments>
ComPtr<Object> MakeObject(Arguments&&... arguments) {
    ComPtr<Object> made;
    made.Attach(new (std::nothrow) Object(std::forward<Arguments>(arguments)...));
    return made;
}

}  // namespace pagehost
