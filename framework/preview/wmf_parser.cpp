#include "framework/preview/wmf_parser.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "framework/core/text.h"
#include "framework/fs/path.h"

namespace fw::preview {

core::Expected<WmfDocument> loadWmf(std::string_view systemPath)
{
    const std::filesystem::path path = fs::resolve(systemPath);
    const std::string shown(core::clip(systemPath));
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return core::fail(std::string(WmfLayer), "page file " + shown + " cannot be opened");
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0)
        return core::fail(std::string(WmfLayer), "page file " + shown + " cannot be read");
    if (std::uint64_t(size) > WmfMaxFileSize)
        return core::fail(std::string(WmfLayer), "page file " + shown + " has " + std::to_string(size) +
                                                     " bytes, above the limit of " + std::to_string(WmfMaxFileSize));
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        return core::fail(std::string(WmfLayer), "page file " + shown + " cannot be read");
    return parseWmf(bytes);
}

} // namespace fw::preview
