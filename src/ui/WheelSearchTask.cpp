#include "ui/WheelSearchTask.h"

#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

#include "core/CurrentException.h"
#include "ui/WorkerPool.h"

namespace {

// "探しています…" with the smallest wheel so far, or that the first is being made.
QString ProgressText(const WheelProgress& progress) {
    return progress.bestTickets > 0
               ? QStringLiteral("探しています…これまでの最小は%1枚（保証を確かめ済み）です。")
                     .arg(progress.bestTickets)
               : QStringLiteral("最初の組を作っています…");
}

// The search in the worker: only copies of its input, and the stop flag.
WheelOutcome SearchInWorker(QPromise<WheelOutcome>& promise, const WheelRequest& request,
                            const WheelSearchOptions& options,
                            const std::shared_ptr<std::atomic<bool>>& stop) {
    promise.setProgressRange(0, kWheelProgressSteps);
    WheelOutcome outcome;
    try {
        const std::optional<WheelResult> result =
            SearchWheel(request, options, [&](const WheelProgress& p) {
                const double share = p.elapsedSeconds / std::max(p.budgetSeconds, 1e-9);
                promise.setProgressValueAndText(
                    static_cast<int>(kWheelProgressSteps * std::min(1.0, share)), ProgressText(p));
                return !stop->load();
            });
        if (result) {
            outcome.report = ReportOfWheel(*result, options.seed);
        } else if (stop->load()) {
            outcome.problem =
                QStringLiteral("中止しました。保証を確かめた購入番号はまだありません。");
        } else {
            outcome.problem = QStringLiteral("保証を確かめられる購入番号を作れませんでした。");
        }
    } catch (...) {
        outcome.problem = QString::fromStdString(MessageOfCurrentException());
    }
    return outcome;
}

}  // namespace

QFuture<WheelOutcome> StartWheelSearch(const WheelRequest& request,
                                       const WheelSearchOptions& options,
                                       std::shared_ptr<std::atomic<bool>> stop) {
    return QtConcurrent::run(
        &WorkerPool(), [request, options, stop = std::move(stop)](QPromise<WheelOutcome>& promise) {
            promise.addResult(SearchInWorker(promise, request, options, stop));
        });
}
