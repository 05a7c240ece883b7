#pragma once
// Server: creates components by program identifier the way a web server's page does, telling each
// one that has an OnStartPage member that the page started, and maps paths.
#include "dispatch_object.h"

namespace pagehost {

class Page;

class ServerObject final : public DispatchObject<> {
public:
    explicit ServerObject(Page& page);

private:
    HRESULT CallMember(DISPID id, DispatchCall& call) override;
    HRESULT CreateObject(DispatchCall& call);
    HRESULT MapPath(DispatchCall& call);
    HRESULT StartPageOn(IDispatch* object, DispatchCall& call);

    Page& page_;
};

}  // namespace pagehost
