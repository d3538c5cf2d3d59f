// The database loader on draw rows holding arbitrary values (as another tool
// could store them), followed by every analysis, the prediction and the
// back-test over what loaded: a clear message or a result, never a crash or
// a write out of bounds.
#include <sqlite3.h>

#include <filesystem>
#include <sstream>

#include "FuzzSupport.h"
#include "analysis/AnalysisCatalog.h"
#include "backtest/BacktestGrid.h"
#include "backtest/BacktestJson.h"
#include "data/Database.h"
#include "data/DrawStoreLoader.h"
#include "data/Schema.h"
#include "prediction/PredictionModel.h"

namespace {

// Reads the input as a little stream of typed values.
class ValueReader {
  public:
    ValueReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Done() const { return at_ >= size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    int Small() { return static_cast<std::int8_t>(Byte()); }
    int Wide() {
        const int low = Byte();
        return static_cast<std::int16_t>(low | (Byte() << 8));
    }

    // Binds one value of a kind chosen by the input.
    void Bind(sqlite3_stmt* stmt, int column) {
        switch (Byte() % 8) {
            case 0:
                sqlite3_bind_null(stmt, column);
                break;
            case 1:
                sqlite3_bind_text(stmt, column, "", 0, SQLITE_STATIC);
                break;
            case 2:
                sqlite3_bind_int(stmt, column, Wide());
                break;
            case 3:
                sqlite3_bind_double(stmt, column, Small() / 2.0);
                break;
            case 4: {
                const std::string text = std::to_string(Small());
                sqlite3_bind_text(stmt, column, text.c_str(), -1, SQLITE_TRANSIENT);
                break;
            }
            case 5:
                sqlite3_bind_int64(stmt, column, static_cast<long long>(Wide()) * 70000);
                break;
            default:
                sqlite3_bind_int(stmt, column, 1 + Byte() % 37);
                break;
        }
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

void WriteRows(const Database& db, ValueReader& in) {
    Statement insert(db,
                     "INSERT OR IGNORE INTO 当選データ (回数, 第1数字, 第2数字, 第3数字, 第4数字, "
                     "第5数字, 第6数字, 第7数字, ボーナス数字1, ボーナス数字2) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int row = 0; row < 64 && !in.Done(); ++row) {
        insert.Reset();
        // Mostly small draw numbers; now and then one far out.
        const int draw = in.Byte() % 16 == 0 ? in.Wide() : 1 + row + in.Byte() % 3;
        sqlite3_bind_int(insert.Handle(), 1, draw);
        for (int column = 2; column <= 10; ++column) in.Bind(insert.Handle(), column);
        try {
            insert.Step();
        } catch (const DatabaseError&) {
            // A draw number below 1 breaks the table's rule; such rows are not stored.
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = (FuzzScratch() / "draws.mdb").string();
    std::filesystem::remove(path);
    {
        const Database db = Database::Open(path, Database::Mode::Create);
        EnsureSchema(db);
        ValueReader in(data, size);
        InTransaction(db, [&] { WriteRows(db, in); });
    }
    GlobalBas g;
    try {
        OpenDrawStore(g, path);
    } catch (const UserError&) {
        return 0;
    }
    for (const AnalysisInfo& info : AnalysisCatalog()) {
        if (!info.build) continue;
        ResultGrid grid;
        try {
            info.build(g, grid);
        } catch (const BuildStopped&) {
        }
    }
    PredictionModel model;
    model.Load(g);
    model.SetOption(1, true);
    // Every draw the matrix can hold, also those the methods cannot predict.
    DefaultBacktestRange(g.Draws, model.Options());
    const BacktestResult result =
        RunBacktest(g.Draws, model.Options(), {0, DrawMatrix::kLastDrawNumber});
    ResultGrid grid;
    WriteBacktestGrid(result, grid);
    std::ostringstream json;
    WriteBacktestJson(json, result);
    return 0;
}
