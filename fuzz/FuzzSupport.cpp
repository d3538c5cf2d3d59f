#include "FuzzSupport.h"

#include <unistd.h>

#include <fstream>

namespace {

struct Scratch {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("loto7fuzz-" + std::to_string(::getpid()));
    Scratch() { std::filesystem::create_directories(path); }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

}  // namespace

const std::filesystem::path& FuzzScratch() {
    static const Scratch scratch;
    return scratch.path;
}

std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = (FuzzScratch() / name).string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}
