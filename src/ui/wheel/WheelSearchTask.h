#pragma once

#include "ui/BackgroundWork.h"
#include "wheel/WheelReport.h"
#include "wheel/WheelSearch.h"

// The steps of a search's progress, 0 … kWheelProgressSteps.
inline constexpr int kWheelProgressSteps = 1000;

// The wheel search as work for a worker: it searches over copies of request
// and options, reports its progress with a text saying the smallest wheel so
// far, and ends with that wheel once it is asked to stop.  Throws a
// UserError saying why when it made no wheel.
WheelReport SearchWheelInWorker(const WorkControl& control, const WheelRequest& request,
                                const WheelSearchOptions& options);
