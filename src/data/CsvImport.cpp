#include "data/CsvImport.h"

#include <sqlite3.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "core/DrawRecord.h"
#include "core/GlobalBas.h"
#include "data/ConnectionText.h"
#include "data/Database.h"
#include "data/Schema.h"

namespace {

constexpr int kHighestDrawNumber = 5000;

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    for (char c : line) {
        if (c == ',') {
            fields.push_back(field);
            field.clear();
        } else if (c != '"') {
            field += c;
        }
    }
    fields.push_back(field);
    for (auto& f : fields) {
        const auto first = f.find_first_not_of(" \t");
        const auto last = f.find_last_not_of(" \t");
        f = first == std::string::npos ? std::string() : f.substr(first, last - first + 1);
    }
    return fields;
}

bool ParseWhole(const std::string& text, int low, int high, int& out) {
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && p == end && out >= low && out <= high;
}

[[noreturn]] void Refuse(const std::string& file, int line, const std::string& why) {
    throw UserError("CSVファイル「" + file + "」の" + std::to_string(line) + "行目: " + why +
                    "\nこのファイルのデータは何も登録していません。");
}

struct Header {
    int draw = -1, date = -1;
    int numbers[kFieldCount] = {-1, -1, -1, -1, -1, -1, -1, -1, -1};
};

Header ReadHeader(const std::string& line, const std::string& file) {
    Header h;
    const auto names = SplitFields(line);
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
        if (names[i] == kDrawNumberField) h.draw = i;
        if (names[i] == "抽せん日") h.date = i;
        for (int f = 0; f < kFieldCount; ++f) {
            if (names[i] == kNumberFields[f]) h.numbers[f] = i;
        }
    }
    bool complete = h.draw >= 0;
    for (int f = 0; f < kFieldCount; ++f) complete = complete && h.numbers[f] >= 0;
    if (!complete) {
        Refuse(file, 1,
               "見出し行に「回数」「第1数字」…「第7数字」「ボーナス数字1」「ボーナス数字2」が揃っていません。");
    }
    return h;
}

CsvDraw ParseRow(const std::vector<std::string>& fields, const Header& h, int line,
                 const std::string& file) {
    CsvDraw draw;
    draw.line = line;
    const auto at = [&](int index) -> const std::string& {
        static const std::string empty;
        return index >= 0 && index < static_cast<int>(fields.size()) ? fields[index] : empty;
    };
    if (!ParseWhole(at(h.draw), 1, kHighestDrawNumber, draw.drawNumber)) {
        Refuse(file, line, "回数「" + at(h.draw) + "」は1～5000の整数ではありません。");
    }
    draw.date = at(h.date);
    for (int f = 0; f < kFieldCount; ++f) {
        const std::string& text = at(h.numbers[f]);
        if (text.empty()) continue;
        if (!ParseWhole(text, kLowestNumber, kHighestNumber, draw.numbers[f])) {
            Refuse(file, line,
                   "「" + std::string(kNumberFields[f]) + "」の値「" + text +
                       "」は1～37の整数ではありません。");
        }
        draw.present |= 1u << f;
    }
    return draw;
}

bool SameNumbers(const CsvDraw& a, const CsvDraw& b) {
    if (a.present != b.present) return false;
    for (int f = 0; f < kFieldCount; ++f) {
        if ((a.present >> f & 1u) && a.numbers[f] != b.numbers[f]) return false;
    }
    return true;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw UserError("CSVファイル「" + path + "」を読めません。");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The stored numbers of one draw, or false when the draw is not stored.
bool StoredDraw(Statement& query, int drawNumber, CsvDraw& stored) {
    query.Reset();
    sqlite3_bind_int(query.Handle(), 1, drawNumber);
    if (!query.Step()) return false;
    stored.drawNumber = drawNumber;
    stored.present = 0;
    for (int f = 0; f < kFieldCount; ++f) {
        if (sqlite3_column_type(query.Handle(), f) == SQLITE_NULL) continue;
        stored.numbers[f] = sqlite3_column_int(query.Handle(), f);
        stored.present |= 1u << f;
    }
    return true;
}

void InsertDraw(Statement& insert, const CsvDraw& draw) {
    insert.Reset();
    sqlite3_bind_int(insert.Handle(), 1, draw.drawNumber);
    if (draw.date.empty()) {
        sqlite3_bind_null(insert.Handle(), 2);
    } else {
        sqlite3_bind_text(insert.Handle(), 2, draw.date.c_str(), -1, SQLITE_TRANSIENT);
    }
    for (int f = 0; f < kFieldCount; ++f) {
        if (draw.present >> f & 1u) {
            sqlite3_bind_int(insert.Handle(), 3 + f, draw.numbers[f]);
        } else {
            sqlite3_bind_null(insert.Handle(), 3 + f);
        }
    }
    insert.Step();
}

std::string ConflictLine(const CsvDraw& draw) {
    return "第" + std::to_string(draw.drawNumber) + "回(" + std::to_string(draw.line) +
           "行目)は登録済みのデータと数字が違うため、登録済みのままにしました。";
}

}  // namespace

std::vector<CsvDraw> ParseDrawCsv(const std::string& text, const std::string& file) {
    std::vector<CsvDraw> draws;
    std::map<int, std::size_t> byNumber;
    std::istringstream lines(text.rfind("\xEF\xBB\xBF", 0) == 0 ? text.substr(3) : text);
    std::string line;
    Header header;
    bool haveHeader = false;
    int lineNo = 0;
    while (std::getline(lines, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t,") == std::string::npos) continue;
        if (!haveHeader) {
            header = ReadHeader(line, file);
            haveHeader = true;
            continue;
        }
        CsvDraw draw = ParseRow(SplitFields(line), header, lineNo, file);
        const auto seen = byNumber.find(draw.drawNumber);
        if (seen == byNumber.end()) {
            byNumber.emplace(draw.drawNumber, draws.size());
            draws.push_back(std::move(draw));
        } else if (!SameNumbers(draws[seen->second], draw)) {
            Refuse(file, lineNo,
                   "第" + std::to_string(draw.drawNumber) + "回が" +
                       std::to_string(draws[seen->second].line) + "行目と違う数字で重複しています。");
        }
    }
    if (!haveHeader) Refuse(file, 1, "見出し行がありません。");
    return draws;
}

ImportReport ImportCsv(const std::string& csvPath, const std::string& databasePath) {
    const std::vector<CsvDraw> draws = ParseDrawCsv(ReadWholeFile(csvPath), csvPath);
    const auto path = std::filesystem::absolute(databasePath);
    const Database db = Database::Open(
        BuildConnectionText(path.parent_path().string(), path.filename().string()),
        Database::Mode::Create);
    ImportReport report;
    InTransaction(db, [&] {
        EnsureSchema(db);
        Statement query(db,
                        "SELECT 第1数字, 第2数字, 第3数字, 第4数字, 第5数字, 第6数字, 第7数字, "
                        "ボーナス数字1, ボーナス数字2 FROM 当選データ WHERE 回数 = ?");
        Statement insert(db,
                         "INSERT INTO 当選データ (回数, 抽せん日, 第1数字, 第2数字, 第3数字, "
                         "第4数字, 第5数字, 第6数字, 第7数字, ボーナス数字1, ボーナス数字2) "
                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (const CsvDraw& draw : draws) {
            CsvDraw stored;
            if (!StoredDraw(query, draw.drawNumber, stored)) {
                InsertDraw(insert, draw);
                ++report.added;
            } else if (SameNumbers(stored, draw)) {
                ++report.unchanged;
            } else {
                report.conflicts.push_back(ConflictLine(draw));
            }
        }
    });
    return report;
}
