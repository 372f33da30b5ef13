// Window procedures bound to objects without executable code: a fixed set of
// distinct procedures, each forwarding to the object bound to its slot. Being
// distinct, stubs can be chained on one window in any order, and a released
// stub that is still called falls back to the default procedure.
#pragma once

#include <windows.h>

namespace wendle {

using BoundProcedure = LRESULT (*)(void* target, HWND, UINT, WPARAM, LPARAM);

// A free stub now bound to target; nullptr when every stub is in use.
WNDPROC MakeProcedureStub(BoundProcedure procedure, void* target);
// Unbinds a stub made above; nullptr is ignored.
void ReleaseProcedureStub(WNDPROC stub);

}  // namespace wendle
