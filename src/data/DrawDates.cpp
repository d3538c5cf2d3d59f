#include "data/DrawDates.h"

#include <sqlite3.h>

#include <iterator>

QDate ReadStoredDate(const char* text) {
    if (!text) return {};
    const QString date = QString::fromUtf8(text).trimmed();
    for (const char* form : {"yyyy-MM-dd", "yyyy/MM/dd", "yyyy/M/d", "yyyy年M月d日"}) {
        const QDate d = QDate::fromString(date, QString::fromUtf8(form));
        if (d.isValid()) return d;
    }
    return {};
}

std::map<int, QDate> ReadDrawDates(const Database& db) {
    std::map<int, QDate> dates;
    try {
        Statement query(db, "SELECT 回数, 抽せん日 FROM 当選データ");
        while (query.Step()) {
            const QDate date = ReadStoredDate(
                reinterpret_cast<const char*>(sqlite3_column_text(query.Handle(), 1)));
            if (date.isValid()) dates[sqlite3_column_int(query.Handle(), 0)] = date;
        }
    } catch (const DatabaseError&) {
        dates.clear();
    }
    return dates;
}

std::vector<int> DrawYears(const std::map<int, QDate>& dates, int highest) {
    std::vector<int> years(static_cast<std::size_t>(std::max(0, highest)) + 1, 0);
    if (dates.empty()) return years;
    for (int n = 0; n <= highest; ++n) {
        auto near = dates.lower_bound(n);
        if (near == dates.end()) {
            near = std::prev(near);
        } else if (near->first != n && near != dates.begin()) {
            const auto before = std::prev(near);
            if (n - before->first < near->first - n) near = before;
        }
        years[static_cast<std::size_t>(n)] = near->second.addDays(7LL * (n - near->first)).year();
    }
    return years;
}
