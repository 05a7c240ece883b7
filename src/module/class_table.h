// The module's fixed, ordered class table: the order of registration and of lookup.
#pragma once

#include "com/win.h"
#include "module/class_factory.h"

#include <span>

namespace docket {

struct ClassRow {
  const CLSID* clsid;
  int registrationScript;
  InstanceCreator createInstance;
  ClassFactory* cachedFactory;  // created on first request, released at module end
};

std::span<ClassRow> ClassTable();

// The row for a class identifier (all 16 bytes compared), or null.
ClassRow* FindClassRow(REFCLSID clsid);

// Returns the row's class object, creating it once under the class-object lock.
HRESULT ClassObjectFor(ClassRow& row, ClassFactory** factory);

// Drops every cached class object (module end).
void ReleaseClassObjects();

}  // namespace docket
