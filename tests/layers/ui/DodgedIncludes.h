// clang-format off
// Includes that reach above the ui layer, written the ways a check reading
// only `#include "…"` would miss; the layer check must find both and
// nothing else.
#include <app/MainFrm.h>
#  include "entry/EntryWindow.h"
#include <gtest/gtest.h>
#include "grid/GridView.h"
