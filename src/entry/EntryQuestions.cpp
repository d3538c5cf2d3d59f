#include "entry/EntryQuestions.h"

#include <QStringList>

#include "data/EditableRecordSet.h"
#include "entry/NumberText.h"

namespace {

QString Label(const EditableRow& draw) {
    return QString::fromStdString(DrawLabel(draw.drawNumber));
}

// "第5回　1, 2, 3, 4, 5, 6, 7 ／ 8, 9": the stored values, empty ones empty.
QString DrawText(const EditableRow& draw) {
    QStringList main;
    QStringList bonus;
    for (int f = 0; f < kFieldCount; ++f) {
        (f < kBonus1 ? main : bonus).append(CellText(draw.numbers[f]));
    }
    return Label(draw) + QStringLiteral("　") + main.join(QStringLiteral(", ")) +
           QStringLiteral(" ／ ") + bonus.join(QStringLiteral(", "));
}

}  // namespace

QString DeleteQuestion(const EditableRow& draw) {
    return QStringLiteral("選択された行を削除します。よろしいですか？\n") + DrawText(draw);
}

QString InsertQuestion(const EditableRow* after) {
    const QString question =
        QStringLiteral("選択された行のうしろに行を追加します。よろしいですか？");
    if (!after) return question;
    return question + QStringLiteral("\n（") + Label(*after) + QStringLiteral("のうしろ）");
}
