#include "app/MenuTable.h"

#include <cstring>

#include "analysis/RandomnessGrid.h"
#include "app/MainFrm.h"
#include "entry/EntryWindow.h"
#include "ui/PredictionWindow.h"
#include "ui/backtest/BacktestWindow.h"
#include "ui/filter/FilterWindow.h"
#include "ui/randomness/RandomnessWindow.h"
#include "ui/tickets/QuickCheckWindow.h"
#include "ui/tickets/TicketWindow.h"
#include "ui/wheel/WheelWindow.h"

namespace {

using K = MenuKind;

template <typename Window>
ChildWindow* Make(MainFrm& main) {
    return new Window(main);
}

ChildWindow* MakePrediction(MainFrm& main) { return new 一発カゾリア予想(main, main.Prediction()); }

constexpr const char* kEntryWindowName = "当選データ入力";

const MenuEntry kMenus[] = {
    {0, K::Command, "mnuEnd", "終了(&X)", &MainFrm::mnuEnd_Click},
    {0, K::Window, "mnuYoso", "一発カゾリア予想(&K)", nullptr, kPredictionWindowName,
     MakePrediction},
    {0, K::Menu, "mnuMain", "データ分析(&S)"},
    {1, K::Menu, "mnuHindo", "頻度分析"},
    {2, K::Analysis, "mnuSyutugenHindo", "出現頻度分析"},
    {2, K::Analysis, "mnuSyutugenKaisu", "回数別出現分析"},
    {1, K::Menu, "mnuKankaku", "間隔分析"},
    {2, K::Analysis, "mnuSyutugenKankaku", "出現間隔分析"},
    {2, K::Analysis, "mnuNumberKankaku", "数字間隔分析"},
    {1, K::Analysis, "mnuZenkaiSyutugen", "出現回数分析"},
    {1, K::Analysis, "mnuBaratsuki", "バラツキ分析"},
    {1, K::Analysis, "mnuHippari", "引っ張り分析"},
    {1, K::Analysis, "mnuRenbanTobiishi", "連番・飛び石分析"},
    {1, K::Analysis, "mnuHonsuji", "数字合計分析"},
    {1, K::Menu, "mnuPattern", "組合せパターン分析"},
    {2, K::Analysis, "mnuLowHightPattern", "低数字・高数字の組合せパターン分析"},
    {2, K::Analysis, "mnuKisuGusuPattern", "偶数・奇数の組合せパターン分析"},
    {1, K::Analysis, "mnu5BunkatsuKeiko", "5分割傾向分析"},
    {1, K::Menu, "mnuBunkatsuData", "分割データ分析"},
    {2, K::Analysis, "mnu6BunkatsuData", "6分割データ分析"},
    {2, K::Analysis, "mnu7BunkatsuData", "7分割データ分析"},
    {2, K::Analysis, "mnu11BunkatsuData", "11分割データ分析"},
    {1, K::Analysis, "mnuLastChar", "下一桁出現傾向分析"},
    {1, K::Analysis, "mnuLastCharRenzoku", "下一桁連続出現回数分析"},
    {1, K::Separator},
    {1, K::Window, "mnuRansuKentei", "乱数性の検定(&R)", nullptr, kRandomnessName,
     Make<RandomnessWindow>},
    {1, K::Window, "mnuShiborikomi", "絞り込み(&F)", nullptr, kFilterWindowName,
     Make<FilterWindow>},
    {1, K::Window, "mnuWheel", "ホイール(&W)", nullptr, kWheelWindowName, Make<WheelWindow>},
    {1, K::Window, "mnuYosoKensho", "予想の検証(&B)", nullptr, kBacktestWindowName,
     Make<BacktestWindow>},
    {0, K::Menu, "mnuHosyu", "データ管理(&M)"},
    {1, K::Window, "mnuMasterInput", "当選データ入力(&I)", nullptr, kEntryWindowName,
     Make<当選データ入力>, true},
    {1, K::Window, "mnuTickets", "購入番号(&T)", nullptr, kTicketWindowName, Make<購入番号>},
    {1, K::Window, "mnuQuickCheck", "当選番号チェック(&Q)", nullptr, kQuickCheckWindowName,
     Make<当選番号チェック>},
    {1, K::Greyed, "mnuMasterKanri", "当選データ保守(&D)"},
    {1, K::Command, "mnuImportCsv", "CSVファイルから取り込み(&C)...", &MainFrm::mnuImportCsv_Click},
    {1, K::Command, "mnuPasteResults", "結果の貼り付け(&P)...", &MainFrm::mnuPasteResults_Click},
    {0, K::Menu, "mnuWindow", "ウィンドウ(&W)"},
    {1, K::Command, "mnuWindowHorizontal", "上下に並べて表示(&H)",
     &MainFrm::mnuWindowHorizontal_Click},
    {1, K::Command, "mnuWindowVertical", "左右に並べて表示(&V)", &MainFrm::mnuWindowVertical_Click},
    {1, K::Command, "mnuWindowCascade", "重ねて表示(&C)", &MainFrm::mnuWindowCascade_Click},
    {1, K::Command, "mnuWindowArrangeIcon", "アイコンの整列(&A)",
     &MainFrm::mnuWindowArrangeIcon_Click},
    {1, K::Command, "mnuWindowCloseAll", "すべて閉じる(&L)", &MainFrm::mnuWindowCloseAll_Click},
    {0, K::Menu, "mnuHelp", "ヘルプ(&H)"},
    {1, K::Command, "mnuHelpFile", "ヘルプ(&H)", &MainFrm::mnuHelpFile_Click},
    {1, K::Command, "mnuAbout", "バージョン情報(&A)", &MainFrm::mnuAbout_Click},
};

}  // namespace

std::span<const MenuEntry> MenuTable() { return kMenus; }

const MenuEntry* FindMenuWindow(const char* command) {
    for (const MenuEntry& entry : kMenus) {
        if (entry.kind == K::Window && std::strcmp(entry.name, command) == 0) return &entry;
    }
    return nullptr;
}

const MenuEntry* FindMenuWindowNamed(const char* window) {
    for (const MenuEntry& entry : kMenus) {
        if (entry.kind == K::Window && std::strcmp(entry.window, window) == 0) return &entry;
    }
    return nullptr;
}
