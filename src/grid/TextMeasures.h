#pragma once

#include <QFont>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

// What laying out a grid learns about its texts in one font: each text's
// width and the rows its ink covers.  Measuring a text means shaping it,
// which costs far more than everything else a layout does with it, and the
// grids of the program share most of their texts (the same numbers, draw
// numbers and headings), so every text is measured once per font and kept
// for every later layout of any grid in the same thread.
//
// Only the measured values are kept, never a font, so the store outlives
// the application object safely.
class TextMeasures {
  public:
    // The ink of a text relative to its baseline: its first row and the row
    // after its last.
    using Ink = std::pair<int, int>;

    // The measures of font, shared by every layout made in the calling
    // thread.
    static TextMeasures& ForFont(const QFont& font);

    // The text's width, from measure() the first time it is asked for.
    template <typename Measure>
    float Width(std::string_view text, Measure&& measure) {
        return Remembered(widths_, text, std::forward<Measure>(measure));
    }
    // The text's ink, from measure() the first time it is asked for.
    template <typename Measure>
    Ink InkOf(std::string_view text, Measure&& measure) {
        return Remembered(inks_, text, std::forward<Measure>(measure));
    }

  private:
    // Looked up by string_view without building a string first.
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    template <typename Value>
    using Table = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;
    // A program left open through many different grids forgets what it
    // measured rather than grow without end.
    static constexpr std::size_t kMostTexts = 200000;

    template <typename Value, typename Measure>
    static Value Remembered(Table<Value>& table, std::string_view text, Measure&& measure) {
        const auto found = table.find(text);
        if (found != table.end()) return found->second;
        if (table.size() >= kMostTexts) table.clear();
        const Value value = measure();
        table.emplace(std::string(text), value);
        return value;
    }

    Table<float> widths_;
    Table<Ink> inks_;
};
