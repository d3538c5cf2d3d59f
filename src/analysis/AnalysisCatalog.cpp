#include "analysis/AnalysisCatalog.h"

#include "analysis/CountClassAnalysis.h"

namespace {

std::vector<AnalysisSpec> MakeCatalog() {
    using P = PendingEvents;
    // name, caption, label, menu command, height, width, clears propEnd,
    // print button, pending events, legend, follows resize, build
    return {
        {"出現頻度分析", "出現頻度分析", "過去の当選番号の出現回数を数字別に分析します",
         "mnuSyutugenHindo", 10700, 11300, true, false, P::BeforeBuild, Legend::Balls, false,
         nullptr},
        {"回数別出現分析", "回数別頻度分析", "過去の当選番号から出現回数別の数字を分析します",
         "mnuSyutugenKaisu", 8355, 3405, true, true, P::BeforeBuild, Legend::None, false,
         BuildCountClasses},
        {"出現間隔分析", "出現間隔分析", "", "mnuSyutugenKankaku", 13920, 12070, true, true,
         P::Never, Legend::None, false, nullptr},
        {"数字間隔分析", "数字間隔分析", "", "mnuNumberKankaku", 13905, 12070, true, true,
         P::Never, Legend::None, false, nullptr},
        {"出現回数分析", "出現回数分析", "", "mnuZenkaiSyutugen", 13995, 12080, true, true,
         P::BeforeBuild, Legend::None, false, nullptr},
        {"バラツキ分析", "バラツキ分析", "", "mnuBaratsuki", 12750, 11080, true, true,
         P::BeforeBuild, Legend::Balls, true, nullptr},
        {"引っ張り分析", "引っ張り分析", "", "mnuHippari", 13600, 9680, true, true,
         P::AfterBuild, Legend::CarryOver, false, nullptr},
        {"連番飛び石分析", "連番・飛び石分析", "", "mnuRenbanTobiishi", 13500, 8310, true, true,
         P::AfterBuild, Legend::None, false, nullptr},
        {"数字合計分析", "数字合計分析", "過去の当選番号の本数字＋ボーナス数字合計を分析します",
         "mnuHonsuji", 13800, 8970, true, true, P::BeforeBuild, Legend::None, false, nullptr},
        {"低数字高数字の組合せパターン分析", "低数字・高数字の組合せパターン分析",
         "過去の当選番号を低数字（０１～１８）と高数字（１９～３７）に分けて組合せパターンを分析"
         "します（ボーナス数字は入れていません）",
         "mnuLowHightPattern", 13700, 8750, false, true, P::BeforeBuild, Legend::None, false,
         nullptr},
        {"偶数奇数の組合せパターン分析", "偶数・奇数の組合せパターン分析",
         "過去の当選番号を偶数と奇数に分類して分析します", "mnuKisuGusuPattern", 13700, 8750,
         false, true, P::BeforeBuild, Legend::None, false, nullptr},
        {"分割4傾向分析", "4分割傾向分析", "", "mnu5BunkatsuKeiko", 13750, 9090, false, true,
         P::BeforeBuild, Legend::None, false, nullptr},
        {"分割6データ分析", "6分割データ分析", "", "mnu6BunkatsuData", 12600, 12365, true, true,
         P::BeforeBuild, Legend::BallsAndNoneMark, false, nullptr},
        {"分割7データ分析", "7分割データ分析", "", "mnu7BunkatsuData", 12600, 12365, true, true,
         P::BeforeBuild, Legend::BallsAndNoneMark, false, nullptr},
        {"分割9データ分析", "9分割データ分析", "", "mnu11BunkatsuData", 12600, 12365, true,
         true, P::BeforeBuild, Legend::BallsAndNoneMark, false, nullptr},
        {"下一桁出現傾向分析", "下一桁出現傾向分析", "", "mnuLastChar", 13980, 7400, true, true,
         P::BeforeBuild, Legend::None, false, nullptr},
        {"下一桁連続出現回数分析", "下一桁連続出現回数分析", "", "mnuLastCharRenzoku", 13935,
         7400, true, true, P::BeforeBuild, Legend::None, false, nullptr},
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
