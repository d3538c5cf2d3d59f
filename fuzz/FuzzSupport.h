#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// A scratch folder for one fuzz process, removed at exit.
const std::filesystem::path& FuzzScratch();

// Writes the bytes to a file in the scratch folder and returns its path.
std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size);
