#include "analysis/AnalysisCatalog.h"

#include "analysis/CountClassAnalysis.h"

namespace {

std::vector<AnalysisSpec> MakeCatalog() {
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
            .menuCommand = "mnuSyutugenKankaku",
            .heightTwips = 13920,
            .widthTwips = 12070,
            .events = P::Never,
        },
        {
            .name = "数字間隔分析",
            .caption = "数字間隔分析",
            .menuCommand = "mnuNumberKankaku",
            .heightTwips = 13905,
            .widthTwips = 12070,
            .events = P::Never,
        },
        {
            .name = "出現回数分析",
            .caption = "出現回数分析",
            .menuCommand = "mnuZenkaiSyutugen",
            .heightTwips = 13995,
            .widthTwips = 12080,
        },
        {
            .name = "バラツキ分析",
            .caption = "バラツキ分析",
            .menuCommand = "mnuBaratsuki",
            .heightTwips = 12750,
            .widthTwips = 11080,
            .legend = Legend::Balls,
            .followsResize = true,
        },
        {
            .name = "引っ張り分析",
            .caption = "引っ張り分析",
            .menuCommand = "mnuHippari",
            .heightTwips = 13600,
            .widthTwips = 9680,
            .events = P::AfterBuild,
            .legend = Legend::CarryOver,
        },
        {
            .name = "連番飛び石分析",
            .caption = "連番・飛び石分析",
            .menuCommand = "mnuRenbanTobiishi",
            .heightTwips = 13500,
            .widthTwips = 8310,
            .events = P::AfterBuild,
        },
        {
            .name = "数字合計分析",
            .caption = "数字合計分析",
            .label = "過去の当選番号の本数字＋ボーナス数字合計を分析します",
            .menuCommand = "mnuHonsuji",
            .heightTwips = 13800,
            .widthTwips = 8970,
        },
        {
            .name = "低数字高数字の組合せパターン分析",
            .caption = "低数字・高数字の組合せパターン分析",
            .label = "過去の当選番号を低数字（０１～１８）と高数字（１９～３７）に分けて組合せパターンを分析します（ボーナス数字は入れていません）",
            .menuCommand = "mnuLowHightPattern",
            .heightTwips = 13700,
            .widthTwips = 8750,
            .clearsPropEnd = false,
        },
        {
            .name = "偶数奇数の組合せパターン分析",
            .caption = "偶数・奇数の組合せパターン分析",
            .label = "過去の当選番号を偶数と奇数に分類して分析します",
            .menuCommand = "mnuKisuGusuPattern",
            .heightTwips = 13700,
            .widthTwips = 8750,
            .clearsPropEnd = false,
        },
        {
            .name = "分割4傾向分析",
            .caption = "4分割傾向分析",
            .menuCommand = "mnu5BunkatsuKeiko",
            .heightTwips = 13750,
            .widthTwips = 9090,
            .clearsPropEnd = false,
        },
        {
            .name = "分割6データ分析",
            .caption = "6分割データ分析",
            .menuCommand = "mnu6BunkatsuData",
            .heightTwips = 12600,
            .widthTwips = 12365,
            .legend = Legend::BallsAndNoneMark,
        },
        {
            .name = "分割7データ分析",
            .caption = "7分割データ分析",
            .menuCommand = "mnu7BunkatsuData",
            .heightTwips = 12600,
            .widthTwips = 12365,
            .legend = Legend::BallsAndNoneMark,
        },
        {
            .name = "分割9データ分析",
            .caption = "9分割データ分析",
            .menuCommand = "mnu11BunkatsuData",
            .heightTwips = 12600,
            .widthTwips = 12365,
            .legend = Legend::BallsAndNoneMark,
        },
        {
            .name = "下一桁出現傾向分析",
            .caption = "下一桁出現傾向分析",
            .menuCommand = "mnuLastChar",
            .heightTwips = 13980,
            .widthTwips = 7400,
        },
        {
            .name = "下一桁連続出現回数分析",
            .caption = "下一桁連続出現回数分析",
            .menuCommand = "mnuLastCharRenzoku",
            .heightTwips = 13935,
            .widthTwips = 7400,
        },
    };
}

}  // namespace

const std::vector<AnalysisSpec>& AnalysisCatalog() {
    static const std::vector<AnalysisSpec> catalog = MakeCatalog();
    return catalog;
}

const AnalysisSpec* FindAnalysis(std::string_view name) {
    for (const AnalysisSpec& spec : AnalysisCatalog()) {
        if (spec.name == name) return &spec;
    }
    return nullptr;
}
