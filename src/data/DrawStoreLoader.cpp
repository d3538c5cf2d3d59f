#include "data/DrawStoreLoader.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "core/PrintableText.h"
#include "data/ConnectionText.h"
#include "data/PrizeStore.h"
#include "data/Schema.h"

namespace {

constexpr long long kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr long long kInt16Max = std::numeric_limits<std::int16_t>::max();

constexpr StoredInt16 kNotConverted{false, std::nullopt};

StoredInt16 FromWhole(long long v) {
    if (v < kInt16Min || v > kInt16Max) return kNotConverted;
    return {true, static_cast<std::int16_t>(v)};
}

StoredInt16 FromReal(double v) {
    if (!std::isfinite(v) || std::trunc(v) != v) return kNotConverted;
    if (v < static_cast<double>(kInt16Min) || v > static_cast<double>(kInt16Max)) {
        return kNotConverted;
    }
    return FromWhole(static_cast<long long>(v));
}

StoredInt16 FromText(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {true, std::nullopt};  // the empty text: no value
    const auto last = text.find_last_not_of(" \t\r\n");
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+') ++begin;
    long long whole = 0;
    auto [wp, wec] = std::from_chars(begin, end, whole);
    if (wec == std::errc() && wp == end) return FromWhole(whole);
    double real = 0;
    auto [rp, rec] = std::from_chars(begin, end, real);
    if (rec == std::errc() && rp == end) return FromReal(real);
    return kNotConverted;
}

std::string Describe(const FieldValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return PrintableText(*text, 40);
    if (const auto* real = std::get_if<double>(&value)) return std::to_string(*real);
    if (const auto* whole = std::get_if<long long>(&value)) return std::to_string(*whole);
    return "";
}

[[noreturn]] void ThrowBadValue(const Database& db, const std::string& where,
                                std::string_view field, const FieldValue& value) {
    throw UserError("データベースファイル「" + PrintableText(db.Path()) + "」の" + where + "の「" +
                    std::string(field) + "」の値「" + Describe(value) +
                    "」を-32768～32767の整数に変換できません。");
}

}  // namespace

StoredInt16 ConvertToInt16(const FieldValue& value) {
    if (std::holds_alternative<std::monostate>(value)) return {true, std::nullopt};
    if (const auto* whole = std::get_if<long long>(&value)) return FromWhole(*whole);
    if (const auto* real = std::get_if<double>(&value)) return FromReal(*real);
    return FromText(std::get<std::string>(value));
}

DrawStore ReadDrawStore(const Database& db) {
    RequireSchema(db);
    StaticRecordSet records(db, kSnapshotStatement);
    // Fields are looked up by name once, not once per row.
    const DrawFieldColumns columns =
        LocateDrawFields(db, [&](std::string_view name) { return records.FieldIndex(name); });
    std::vector<DrawRecord> rows;
    rows.reserve(records.RecordCount());
    std::size_t position = 0;
    for (records.MoveFirst(); !records.EndOfFile(); records.MoveNext()) {
        ++position;
        DrawRecord row;
        const FieldValue& drawValue = records.Field(columns.drawNumber);
        const StoredInt16 draw = ConvertToInt16(drawValue);
        if (!draw.converts || !draw.value) {
            ThrowBadValue(db, std::to_string(position) + "行目", kDrawNumberField, drawValue);
        }
        row.drawNumber = *draw.value;
        for (int field = 0; field < kFieldCount; ++field) {
            const FieldValue& value = records.Field(columns.numbers[field]);
            const StoredInt16 number = ConvertToInt16(value);
            if (!number.converts) {
                ThrowBadValue(db, "第" + std::to_string(row.drawNumber) + "回",
                              kNumberFields[field], value);
            }
            if (number.value) row.Set(field, *number.value);
        }
        rows.push_back(row);
    }
    return DrawStore(std::move(rows));
}

void OpenDrawStore(GlobalBas& g, const std::string& databasePath) {
    g.DatabaseFile = databasePath;
    g.ConnectionText = BuildConnectionText(databasePath);
    const Database db = Database::Open(databasePath, Database::Mode::ReadOnly);
    g.Draws = ReadDrawStore(db);
    try {
        DeriveStatistics(g);
    } catch (const UserError& e) {
        throw UserError("データベースファイル「" + PrintableText(databasePath) + "」: " + e.what());
    }
    // The carry-over only adds a line to what tickets are worth; a prize
    // table that cannot be read leaves it unknown rather than the file unread.
    try {
        if (g.LatestDrawNumber > 0)
            g.LatestCarryOver = ReadPrizes(db, g.LatestDrawNumber).carryOver;
    } catch (const DatabaseError&) {
        g.LatestCarryOver.reset();
    }
}

std::future<GlobalBas> OpenDrawStoreAhead(const std::string& databasePath) {
    const auto load = [databasePath] {
        GlobalBas g;
        OpenDrawStore(g, databasePath);
        return g;
    };
    try {
        return std::async(std::launch::async, load);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, load);
    }
}
