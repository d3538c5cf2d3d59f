#pragma once

#include <optional>
#include <string>

// What export writes, by the file's extension: .csv, .png or .pdf.
enum class ExportFormat { Csv, Png, Pdf };
std::optional<ExportFormat> ExportFormatOf(const std::string& path);
