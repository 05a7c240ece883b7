#pragma once
// Host: the test hook. Scripts record checks through it, read the arguments given after --args,
// and can end the page with an exit code.
#include "dispatch_object.h"

namespace pagehost {

class Page;

class HostHookObject final : public DispatchObject<> {
public:
    explicit HostHookObject(Page& page);

private:
    HRESULT CallMember(DISPID id, DispatchCall& call) override;
    HRESULT Check(DispatchCall& call);
    HRESULT Argument(DispatchCall& call);
    HRESULT Quit(DispatchCall& call);

    Page& page_;
};

}  // namespace pagehost
