#include "ui/wheel/WheelSearchTask.h"

#include <algorithm>
#include <optional>

#include "core/Errors.h"

namespace {

// "探しています…" with the smallest wheel so far, or that the first is being made.
QString ProgressText(const WheelProgress& progress) {
    return progress.bestTickets > 0
               ? QStringLiteral("探しています…これまでの最小は%1枚（保証を確かめ済み）です。")
                     .arg(progress.bestTickets)
               : QStringLiteral("最初の組を作っています…");
}

}  // namespace

WheelReport SearchWheelInWorker(const WorkControl& control, const WheelRequest& request,
                                const WheelSearchOptions& options) {
    control.SetRange(kWheelProgressSteps);
    const std::optional<WheelResult> result =
        SearchWheel(request, options, [&](const WheelProgress& p) {
            const double share = p.elapsedSeconds / std::max(p.budgetSeconds, 1e-9);
            control.Report(static_cast<int>(kWheelProgressSteps * std::min(1.0, share)),
                           ProgressText(p));
            return !control.StopAsked();
        });
    if (result) return ReportOfWheel(*result, options.seed);
    if (control.StopAsked())
        throw UserError("中止しました。保証を確かめた購入番号はまだありません。");
    throw UserError("保証を確かめられる購入番号を作れませんでした。");
}
