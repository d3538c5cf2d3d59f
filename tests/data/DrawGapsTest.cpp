#include <gtest/gtest.h>

#include "data/DrawGaps.h"
#include "support/DrawDatabase.h"

namespace {

std::string Row(int draw) { return std::to_string(draw) + ", 1,2,3,4,5,6,7,8,9"; }

TEST(DrawGaps, EveryMissingDrawBetweenTheFirstAndTheLastIsNamed) {
    struct Case {
        std::vector<int> stored;
        std::vector<DrawGap> gaps;
        std::string warning;  // up to "がありません。"
    };
    const std::vector<Case> cases = {
        {{1, 2, 3}, {}, ""},
        {{5, 6}, {}, ""},  // a history may start after draw 1
        {{690, 691, 693}, {{692, 692}}, "第692回"},
        {{1, 4}, {{2, 3}}, "第2回、第3回"},
        {{1, 5, 7, 9}, {{2, 4}, {6, 6}, {8, 8}}, "第2回～第4回、第6回、第8回"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        std::vector<std::string> rows;
        for (int draw : c.stored) rows.push_back(Row(draw));
        const Database db = Database::Open(CreateDrawDatabase(dir, rows), Database::Mode::ReadOnly);
        const std::vector<DrawGap> gaps = MissingDrawNumbers(db);
        EXPECT_EQ(gaps, c.gaps) << c.warning;
        const std::string warning = MissingDrawsWarning(gaps);
        if (c.warning.empty()) {
            EXPECT_EQ(warning, "");
        } else {
            EXPECT_EQ(warning, c.warning +
                                   "がありません。分析は回数が続いていることを前提に数えるため、"
                                   "抜けている回も取り込んでください。");
        }
    }
}

}  // namespace
