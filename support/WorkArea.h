#pragma once
// The desktop work area in twips, the frame the window placement centres in.
#include "support/Screen.h"

namespace General {

// The screen's work area converted to twips, each edge rounded half to even;
// all zeros when the screen reports none.
Rect GetWorkArea(const Screen& screen);

}  // namespace General
