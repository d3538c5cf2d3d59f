#pragma once

#include <QFuture>
#include <QString>
#include <atomic>
#include <memory>
#include <optional>

#include "prediction/WheelReport.h"
#include "prediction/WheelSearch.h"

// The steps of a search's progress, 0 … kWheelProgressSteps.
inline constexpr int kWheelProgressSteps = 1000;

// What a search in the worker hands back: the report of the wheel it made,
// or the reason it made none.
struct WheelOutcome {
    std::optional<WheelReport> report;
    QString problem;
};

// Searches for a wheel in a worker over copies of request and options.  It
// reports its progress with a text saying the smallest wheel so far, and
// ends with that wheel once `stop` is set.  The future always gets one
// outcome; an exception becomes its problem.
QFuture<WheelOutcome> StartWheelSearch(const WheelRequest& request,
                                       const WheelSearchOptions& options,
                                       std::shared_ptr<std::atomic<bool>> stop);
