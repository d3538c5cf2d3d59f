#include "ui/PrintPreview.h"

#include "ui/OnDemandLibrary.h"

namespace {

using PreviewFunction = void (*)(const PrintJob&, QWidget*);

}  // namespace

bool ShowPrintPreview(const PrintJob& job, QWidget* parent) {
    const auto preview = reinterpret_cast<PreviewFunction>(OnDemandEntry("loto7_print_preview"));
    if (!preview) return false;
    preview(job, parent);
    return true;
}

QString PrintLibraryProblem() {
    return QStringLiteral(
               "印刷の部品 %1 を読み込めないため、印刷できません。"
               "プログラムを入れ直してください。\n%2")
        .arg(OnDemandFileName(), OnDemandProblem());
}
