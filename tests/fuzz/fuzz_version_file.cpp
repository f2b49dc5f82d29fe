// Any bytes must parse or be refused without a crash; the installer name that comes out
// is always a plain name inside the update folder.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "help/update_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto info = lexo::parseVersionFile(bytes);
    const auto name = lexo::safeInstallerName(info ? info->installerName : bytes);
    if (name) {
        if (name->empty() || *name == "." || *name == ".." || name->find('/') != std::string::npos ||
            name->find('\\') != std::string::npos)
            std::abort();
        const auto paths = lexo::installerPaths("/p", *name);
        if (!paths || paths->target.parent_path() != std::filesystem::path("/p/Aktualizace")) std::abort();
    }
    if (info) {
        for (const std::string& item : info->news)
            if (item.empty() || item.find(';') != std::string::npos) std::abort();
        (void)lexo::offersDownload(*info);
    }
    return 0;
}
