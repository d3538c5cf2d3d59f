#pragma once

#include <string_view>
#include <vector>

#include "core/AnalysisInfo.h"

// The seventeen analysis windows, in menu order.
const std::vector<AnalysisInfo>& AnalysisCatalog();
// The entry with this window name, or null.
const AnalysisInfo* FindAnalysis(std::string_view name);
// The entry its menu command (mnu…) opens, or null.
const AnalysisInfo* FindAnalysisOfCommand(std::string_view command);
