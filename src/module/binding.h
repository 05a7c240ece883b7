// What an object stands for (a file's or a folder's path, a drive, an open file), handed to it once
// by the object that creates it. Any class of the class table can also be created by name, and such
// an object stands for nothing: its empty path must never reach the platform, which would take it
// for the current directory (a Folder made so would list, size, copy or delete the current drive).
//
// A class keeps what it stands for in a Binding and reaches it only through it:
//
//   Binding<FolderLocation> location_;
//   // the private initialisation: once; E_UNEXPECTED afterwards, and nothing changes
//   return location_.BindOnce([&](FolderLocation* here) { ...fill *here...; return S_OK; });
//   // a member that works on the file system: refused while nothing is bound
//   return location_.Use(ClassId(), [&](const FolderLocation& here) { ...; });
//   // a member that only reports what the object holds: the empty state while nothing is bound
//   location_.Peek().path
//
// Use and BindOnce run their bodies inside com::Guarded. The state is copied out under the lock,
// so a body may take as long as the platform needs without holding anyone up.
#pragma once

#include "com/guard.h"
#include "com/srw_guard.h"
#include "com/win.h"
#include "module/error_report.h"

#include <optional>
#include <utility>

namespace docket {

template <class State>
class Binding {
 public:
  bool IsBound() const {
    com::SharedGuard guard(lock_);
    return bound_;
  }

  // compute(State*) fills a fresh state (and may fail, reporting why); on success it becomes the
  // object's for good. Refused with E_UNEXPECTED, before compute runs, once something is bound.
  template <class Compute>
  HRESULT BindOnce(Compute&& compute) {
    if (IsBound()) return E_UNEXPECTED;
    return com::Guarded([&]() -> HRESULT {
      State state{};
      DOCKET_RETURN_IF_FAILED(compute(&state));
      com::ExclusiveGuard guard(lock_);
      if (bound_) return E_UNEXPECTED;  // another thread got there first
      state_ = std::move(state);
      bound_ = true;
      return S_OK;
    });
  }

  // body(const State&) with a copy of the state, or the refusal under clsid while none is bound.
  template <class Body>
  HRESULT Use(REFCLSID clsid, Body&& body) const {
    return com::Guarded([&]() -> HRESULT {
      std::optional<State> state = Snapshot();
      if (!state) return ReportUnbound(clsid);
      return body(std::as_const(*state));
    });
  }

  // A copy of what the object holds; the empty state until something is bound. May throw.
  State Peek() const {
    com::SharedGuard guard(lock_);
    return state_;
  }

  // Changes the bound state in place (a rename the object follows).
  template <class Change>
  void Update(Change&& change) {
    com::ExclusiveGuard guard(lock_);
    change(state_);
  }

 private:
  std::optional<State> Snapshot() const {
    com::SharedGuard guard(lock_);
    if (!bound_) return std::nullopt;
    return state_;
  }

  mutable SRWLOCK lock_ = SRWLOCK_INIT;
  State state_{};
  bool bound_ = false;
};

}  // namespace docket
