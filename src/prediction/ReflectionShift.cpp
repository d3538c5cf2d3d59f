#include "prediction/ReflectionShift.h"

std::int16_t ComputeReflectionShift(const ReflectOptions& options) {
    std::int16_t shift = 0;
    for (int i = 0; i < ReflectOptions::kCount; ++i) {
        if (options.Flag(i))
            shift = static_cast<std::int16_t>(shift + kReflectedAnalyses[i].weight);
    }
    return shift;
}
