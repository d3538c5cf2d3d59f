#include "analysis/AnalysisCatalog.h"

#include "analysis/CarryOverAnalysis.h"
#include "analysis/CountClassAnalysis.h"
#include "analysis/DifferenceAnalysis.h"
#include "analysis/DigitRunAnalysis.h"
#include "analysis/DigitTendencyAnalysis.h"
#include "analysis/DispersionAnalysis.h"
#include "analysis/FrequencyAnalysis.h"
#include "analysis/GroupChartAnalysis.h"
#include "analysis/IntervalAnalysis.h"
#include "analysis/NumberSumAnalysis.h"
#include "analysis/PairAnalysis.h"
#include "analysis/PastCountAnalysis.h"
#include "analysis/PatternAnalysis.h"
#include "analysis/RangeAnalysis.h"

namespace {

std::vector<AnalysisInfo> MakeCatalog() {
    using P = PendingEvents;
    return {
        {
            .name = "出現頻度分析",
            .caption = "出現頻度分析",
            .label = "過去の当選番号の出現回数を数字別に分析します",
            .menuCommand = "mnuSyutugenHindo",
            .heightTwips = 10700,
            .widthTwips = 11300,
            .hasPrintButton = false,
            .legend = Legend::Balls,
            .build = BuildFrequency,
        },
        {
            .name = "回数別出現分析",
            .caption = "回数別頻度分析",
            .label = "過去の当選番号から出現回数別の数字を分析します",
            .menuCommand = "mnuSyutugenKaisu",
            .heightTwips = 8355,
            .widthTwips = 3405,
            .build = BuildCountClasses,
        },
        {
            .name = "出現間隔分析",
            .caption = "出現間隔分析",
            .label = "過去の当選数字が何回前に出現しているか分析します",
            .menuCommand = "mnuSyutugenKankaku",
            .heightTwips = 13920,
            .widthTwips = 12070,
            .events = P::Never,
            .build = BuildIntervalTable,
        },
        {
            .name = "数字間隔分析",
            .caption = "数字間隔分析",
            .label = "当選数字を第１数字～第７数字別に前回数字との数字の間隔を分析します",
            .menuCommand = "mnuNumberKankaku",
            .heightTwips = 13905,
            .widthTwips = 12070,
            .events = P::Never,
            .build = BuildDifferenceTable,
        },
        {
            .name = "出現回数分析",
            .caption = "出現回数分析",
            .label = "過去の当選数字が何回出現したか分析します",
            .menuCommand = "mnuZenkaiSyutugen",
            .heightTwips = 13995,
            .widthTwips = 12080,
            .build = BuildPastCountTable,
        },
        {
            .name = "バラツキ分析",
            .caption = "バラツキ分析",
            .label = "過去の当選番号のバラツキを数字別に分析します",
            .menuCommand = "mnuBaratsuki",
            .heightTwips = 12750,
            .widthTwips = 11080,
            .legend = Legend::Balls,
            .followsResize = true,
            .gridLeftTwips = 120,
            .gridTopTwips = 600,
            .build = BuildDispersion,
        },
        {
            .name = "引っ張り分析",
            .caption = "引っ張り分析",
            .label = "過去の当選数字に前回出現した数字が入っているか分析します",
            .menuCommand = "mnuHippari",
            .heightTwips = 13600,
            .widthTwips = 9680,
            .events = P::AfterBuild,
            .legend = Legend::CarryOver,
            .build = BuildCarryOverTable,
        },
        {
            .name = "連番飛び石分析",
            .caption = "連番・飛び石分析",
            .label = "過去の当選番号の連続数字と一つ飛び数字の傾向を分析します",
            .menuCommand = "mnuRenbanTobiishi",
            .heightTwips = 13500,
            .widthTwips = 8310,
            .events = P::AfterBuild,
            .build = BuildPairAnalysis,
        },
        {
            .name = "数字合計分析",
            .caption = "数字合計分析",
            .label = "過去の当選番号の本数字＋ボーナス数字合計を分析します",
            .menuCommand = "mnuHonsuji",
            .heightTwips = 13800,
            .widthTwips = 8970,
            .gridLeftTwips = 120,
            .gridTopTwips = 600,
            .gridWidthTwips = 8520,
            .gridHeightTwips = 12480,
            .build = BuildNumberSums,
        },
        {
            .name = "低数字高数字の組合せパターン分析",
            .caption = "低数字・高数字の組合せパターン分析",
            .label = "過去の当選番号を低数字（０１～１８）と高数字（１９～３７）に分けて組合せパタ"
                     "ーンを分析します（ボーナス数字は入れていません）",
            .menuCommand = "mnuLowHightPattern",
            .heightTwips = 13700,
            .widthTwips = 8750,
            .clearsPropEnd = false,
            .gridLeftTwips = 120,
            .gridTopTwips = 600,
            .gridWidthTwips = 8340,
            .gridHeightTwips = 12210,
            .build = BuildLowHighPatterns,
        },
        {
            .name = "偶数奇数の組合せパターン分析",
            .caption = "偶数・奇数の組合せパターン分析",
            .label = "過去の当選番号を偶数と奇数に分類して分析します",
            .menuCommand = "mnuKisuGusuPattern",
            .heightTwips = 13700,
            .widthTwips = 8750,
            .clearsPropEnd = false,
            .gridLeftTwips = 120,
            .gridTopTwips = 600,
            .gridWidthTwips = 8340,
            .gridHeightTwips = 12450,
            .build = BuildEvenOddPatterns,
        },
        {
            .name = "分割4傾向分析",
            .caption = "4分割傾向分析",
            .label = "過去の当選番号を４つのグループに分けて傾向を分析します",
            .menuCommand = "mnu5BunkatsuKeiko",
            .heightTwips = 13750,
            .widthTwips = 9090,
            .clearsPropEnd = false,
            .build = BuildRangeTable,
        },
        {
            .name = "分割6データ分析",
            .caption = "6分割データ分析",
            .label = "過去の当選番号の６グループに分類して分析します",
            .menuCommand = "mnu6BunkatsuData",
            .heightTwips = 12600,
            .widthTwips = 12365,
            .legend = Legend::BallsAndNoneMark,
            .build = BuildGroupChart6,
        },
        {
            .name = "分割7データ分析",
            .caption = "7分割データ分析",
            .label = "過去の当選番号の７グループに分類して分析します",
            .menuCommand = "mnu7BunkatsuData",
            .heightTwips = 12600,
            .widthTwips = 12365,
            .legend = Legend::BallsAndNoneMark,
            .build = BuildGroupChart7,
        },
        {
            .name = "分割9データ分析",
            .caption = "9分割データ分析",
            .label = "過去の当選番号の９グループに分類して分析します",
            .menuCommand = "mnu11BunkatsuData",
            .heightTwips = 12600,
            .widthTwips = 12365,
            .legend = Legend::BallsAndNoneMark,
            .build = BuildGroupChart9,
        },
        {
            .name = "下一桁出現傾向分析",
            .caption = "下一桁出現傾向分析",
            .label = "過去の当選番号の下一桁の数字の出現傾向を分析します",
            .menuCommand = "mnuLastChar",
            .heightTwips = 13980,
            .widthTwips = 7400,
            .build = BuildDigitTable,
        },
        {
            .name = "下一桁連続出現回数分析",
            .caption = "下一桁連続出現回数分析",
            .label = "過去の当選番号の下一桁数字が何回続けて出現しているか分析します",
            .menuCommand = "mnuLastCharRenzoku",
            .heightTwips = 13935,
            .widthTwips = 7400,
            .build = BuildRunTable,
        },
    };
}

}  // namespace

const std::vector<AnalysisInfo>& AnalysisCatalog() {
    static const std::vector<AnalysisInfo> catalog = MakeCatalog();
    return catalog;
}

const AnalysisInfo* FindAnalysis(std::string_view name) {
    for (const AnalysisInfo& info : AnalysisCatalog()) {
        if (info.name == name) return &info;
    }
    return nullptr;
}

const AnalysisInfo* FindAnalysisOfCommand(std::string_view command) {
    for (const AnalysisInfo& info : AnalysisCatalog()) {
        if (info.menuCommand == command) return &info;
    }
    return nullptr;
}
