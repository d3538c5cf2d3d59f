// The result reader on arbitrary bytes: a refusal, or draws in ascending
// draw number (one whose number the text does not give last); a draw read
// without a problem has a draw number of 1–5000, nine different numbers of
// 1–37 (or prize lines only) and prize lines that can be stored.
#include <cstdlib>

#include "core/YenText.h"
#include "paste/ResultText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const PasteReading reading = ReadPastedResultBytes(bytes);
    if (!reading.refusal.isEmpty()) {
        if (!reading.draws.empty()) std::abort();
        return 0;
    }
    if (reading.draws.empty()) std::abort();
    int last = 0;
    for (const PastedDraw& draw : reading.draws) {
        if (draw.drawNumber == 0) {
            if (draw.problem.isEmpty()) std::abort();
            continue;
        }
        if (draw.drawNumber <= last) std::abort();
        last = draw.drawNumber;
        if (!draw.problem.isEmpty()) continue;
        if (draw.drawNumber > 5000) std::abort();
        if (!PrizeLinesProblem(draw.prizes).empty()) std::abort();
        if (!draw.hasNumbers) {
            if (draw.prizes.Empty()) std::abort();
            continue;
        }
        bool used[38] = {};
        for (int n : draw.numbers) {
            if (n < 1 || n > 37 || used[n]) std::abort();
            used[n] = true;
        }
    }
    return 0;
}
