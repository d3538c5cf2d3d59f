#include "ui/tickets/NumberFields.h"

#include <QHBoxLayout>
#include <QLineEdit>

#include "core/TicketText.h"

std::array<QLineEdit*, kTicketNumberCount> AddNumberFields(QWidget* owner, QHBoxLayout* row,
                                                           const std::function<void()>& edited) {
    std::array<QLineEdit*, kTicketNumberCount> fields{};
    for (int i = 0; i < kTicketNumberCount; ++i) {
        auto* edit = new QLineEdit(owner);
        edit->setObjectName(QStringLiteral("EditNumber%1").arg(i + 1));
        // Seven fields under one label: each tells a reader which it is.
        edit->setAccessibleName(TicketFieldName(i));
        edit->setAlignment(Qt::AlignCenter);
        edit->setMaxLength(5);
        edit->setFixedWidth(owner->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
        QObject::connect(edit, &QLineEdit::textChanged, owner, [edited] { edited(); });
        fields[static_cast<std::size_t>(i)] = edit;
        row->addWidget(edit);
    }
    return fields;
}
