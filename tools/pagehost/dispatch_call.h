#pragma once
// One late-bound call as a member of a host object sees it: arguments in script order with
// references followed, typed readers that fail the way a script engine expects, and the result slot.
#include <windows.h>
#include <oleauto.h>
#include <string>
#include <string_view>

namespace pagehost {

struct DispatchMember {
    const wchar_t* name;
    DISPID id;
};

class DispatchCall {
public:
    DispatchCall(const DISPPARAMS& params, VARIANT* result, EXCEPINFO* error, const wchar_t* source)
        : params_(params), result_(result), error_(error), source_(source) {}

    UINT ArgumentCount() const { return params_.cArgs; }
    // DISP_E_BADPARAMCOUNT unless minimum <= count <= maximum.
    HRESULT RequireArguments(UINT minimum, UINT maximum) const;
    // An argument the caller left out, either by count or as the "parameter not found" marker.
    bool IsMissing(UINT index) const;
    // Script order (the engine passes them last to first); a by-reference variant is followed.
    const VARIANT& Argument(UINT index) const;

    // The readers coerce as the automation rules do and answer DISP_E_TYPEMISMATCH otherwise.
    HRESULT ReadText(UINT index, std::wstring& text) const;
    HRESULT ReadBool(UINT index, bool& value) const;
    HRESULT ReadLong(UINT index, long& value) const;

    // The result slot may be absent when a script calls a member as a statement.
    void ReturnLong(long value);
    HRESULT ReturnText(std::wstring_view text);
    void ReturnObject(IDispatch* object);

    // Fills the error report that the engine turns into the script's error number and description.
    HRESULT Fail(HRESULT code, std::wstring_view description);

private:
    const DISPPARAMS& params_;
    VARIANT* result_;
    EXCEPINFO* error_;
    const wchar_t* source_;
};

// Converts any variant to its text as the automation rules do, with booleans as "True"/"False".
HRESULT VariantToText(const VARIANT& value, std::wstring& text);

}  // namespace pagehost
