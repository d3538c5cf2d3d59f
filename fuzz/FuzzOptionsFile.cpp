// The options-file reader on arbitrary bytes: it may skip lines, never crash,
// and what it reads must survive a write and a second read unchanged.  A file
// it cannot read at all is left byte for byte as it was.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "FuzzSupport.h"
#include "core/GlobalBas.h"
#include "prediction/ReflectOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteScratchFile("ロト7カゾリア.ini", data, size);
    ReflectOptions options;
    options.ReadInitFile(path);
    try {
        options.WriteInitFile(path);
    } catch (const UserError&) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream kept;
        kept << in.rdbuf();
        if (kept.str() != std::string(reinterpret_cast<const char*>(data), size)) std::abort();
        return 0;
    }
    ReflectOptions again;
    if (!again.ReadInitFile(path).empty() || again.Flags() != options.Flags()) std::abort();
    return 0;
}
