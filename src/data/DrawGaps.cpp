#include "data/DrawGaps.h"

#include <sqlite3.h>

namespace {

std::string Label(long long draw) { return "第" + std::to_string(draw) + "回"; }

std::string GapText(const DrawGap& gap) {
    if (gap.last - gap.first >= 2) return Label(gap.first) + "～" + Label(gap.last);
    if (gap.last > gap.first) return Label(gap.first) + "、" + Label(gap.last);
    return Label(gap.first);
}

}  // namespace

std::vector<DrawGap> MissingDrawNumbers(const Database& db) {
    Statement query(db, "SELECT 回数 FROM 当選データ WHERE 回数 IS NOT NULL ORDER BY 回数");
    std::vector<DrawGap> gaps;
    bool first = true;
    long long previous = 0;
    while (query.Step()) {
        const long long draw = sqlite3_column_int64(query.Handle(), 0);
        if (!first && draw > previous + 1) gaps.push_back({previous + 1, draw - 1});
        first = false;
        previous = draw;
    }
    return gaps;
}

std::string MissingDrawsWarning(const std::vector<DrawGap>& gaps) {
    if (gaps.empty()) return {};
    std::string list;
    for (const DrawGap& gap : gaps) list += (list.empty() ? "" : "、") + GapText(gap);
    return list +
           "がありません。分析は回数が続いていることを前提に数えるため、抜けている回も"
           "取り込んでください。";
}
