// GDI+ for the program: its headers (which expect the min and max macros that the build turns
// off) and one session that starts on first use and ends with the process.
#pragma once

#include <windows.h>
// GDI+ needs the COM property types that the lean Windows headers leave out.
#include <objidl.h>

#include <algorithm>

namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace ventrio {

// Starts GDI+ once; returns whether it runs.
bool EnsureGdiplus();

}  // namespace ventrio
