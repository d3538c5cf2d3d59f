// The options-file reader on arbitrary bytes: it may skip lines, never crash,
// and what it reads must survive a write and a second read unchanged.
#include <cstdlib>

#include "FuzzSupport.h"
#include "prediction/ReflectOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteScratchFile("ロト7カゾリア.ini", data, size);
    ReflectOptions options;
    options.ReadInitFile(path);
    options.WriteInitFile(path);
    ReflectOptions again;
    if (!again.ReadInitFile(path).empty() || again.Flags() != options.Flags()) std::abort();
    return 0;
}
