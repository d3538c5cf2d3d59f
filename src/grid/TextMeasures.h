#pragma once

#include <QFont>
#include <QString>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
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
    // Everything about a font that changes how its texts come out, as text:
    // fonts with one key measure and draw alike.
    static QString KeyOf(const QFont& font);

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

    // Whether the text is a number: digits, '+' and '-' only, at least one.
    static bool IsNumber(std::string_view text) {
        return !text.empty() && std::all_of(text.begin(), text.end(), [](char ch) {
            return (ch >= '0' && ch <= '9') || ch == '+' || ch == '-';
        });
    }
    // The width of a number (digits, '+' and '-' only) as the sum of its
    // characters' advances, without shaping it: numbers are most of the
    // texts, and shaping is what measuring costs.  Empty where the font does
    // not simply add these characters up (it kerns a pair of them), and
    // for any other text.  advance(text) measures a text in the font, once
    // per character and pair to learn the font.
    std::optional<float> NumberWidth(std::string_view text,
                                     const std::function<double(const QString&)>& advance);

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

    void LearnNumberAdvances(const std::function<double(const QString&)>& advance);

    Table<float> widths_;
    Table<Ink> inks_;
    enum class Additive : std::uint8_t { Unknown, Yes, No };
    Additive numbersAdditive_ = Additive::Unknown;
    std::array<double, 256> numberAdvances_{};  // by character, of those numbers hold
};
