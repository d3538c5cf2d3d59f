#include "data/DrawCsv.h"

#include <charconv>
#include <map>
#include <sstream>

#include "core/DrawRecord.h"
#include "core/GlobalBas.h"

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
