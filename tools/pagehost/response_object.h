#pragma once
// Response: what a page writes goes to the host's standard output.
#include "dispatch_object.h"

namespace pagehost {

class ResponseObject final : public DispatchObject<> {
public:
    ResponseObject();

private:
    HRESULT CallMember(DISPID id, DispatchCall& call) override;
};

}  // namespace pagehost
