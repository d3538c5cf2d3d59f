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

// "1,3,4,5,6,7,8／9,10": the nine values, an empty one empty.
QString NumbersText(const std::array<FieldValue, kFieldCount>& numbers) {
    QString text;
    for (int f = 0; f < kFieldCount; ++f) {
        if (f > 0) text += f == kBonus1 ? QStringLiteral("／") : QStringLiteral(",");
        text += CellText(numbers[f]);
    }
    return text;
}

}  // namespace

QString DeleteQuestion(const EditableRow& draw) {
    return QStringLiteral("選択された行を削除します。よろしいですか？\n") + DrawText(draw);
}

QString InsertQuestion(const EditableRow* last) {
    const auto* number = last ? std::get_if<long long>(&last->drawNumber) : nullptr;
    return QStringLiteral("選択された行のうしろに行を追加します。よろしいですか？\n（") +
           QString::fromStdString(DrawLabel(FieldValue(number ? *number + 1 : 1))) +
           QStringLiteral("として最後に追加します）");
}

QString EmptyLastRowNotice(const EditableRow& last) {
    return Label(last) + QStringLiteral("がまだ入力されていません。この行に入力してください。");
}

QString ChangeQuestion(const EditableRow& draw, int field, std::optional<int> value) {
    std::array<FieldValue, kFieldCount> changed = draw.numbers;
    changed.at(field) = value ? FieldValue(static_cast<long long>(*value)) : FieldValue();
    return QStringLiteral("%1を %2 から %3 に変えますか？")
        .arg(Label(draw), NumbersText(draw.numbers), NumbersText(changed));
}
