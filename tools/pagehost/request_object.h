#pragma once
// Request: a page here has no client, so the request only offers the process environment as its
// server variables.
#include "dispatch_object.h"

namespace pagehost {

class RequestObject final : public DispatchObject<> {
public:
    RequestObject();

private:
    HRESULT CallMember(DISPID id, DispatchCall& call) override;
};

}  // namespace pagehost
