#include "util/file_io.h"

#include <fstream>
#include <system_error>

namespace vildo {

std::optional<std::string> readWholeFile(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string data;
    char buf[65536];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) data.append(buf, static_cast<size_t>(in.gcount()));
    if (in.bad()) return std::nullopt;
    return data;
}

std::optional<std::string> readBytesAt(const std::filesystem::path& file, uint64_t pos, size_t n) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(static_cast<std::streamoff>(pos));
    if (!in) return std::nullopt;
    std::string data(n, '\0');
    in.read(data.data(), static_cast<std::streamsize>(n));
    if (static_cast<size_t>(in.gcount()) != n) return std::nullopt;
    return data;
}

bool writeFileAtomic(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::path tmp = file;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(tmp, ec);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(tmp, file, ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        return false;
    }
    return true;
}

bool writeBytesAt(const std::filesystem::path& file, uint64_t pos, const std::string& bytes) {
    std::fstream io(file, std::ios::binary | std::ios::in | std::ios::out);
    if (!io) {
        io.clear();
        io.open(file, std::ios::binary | std::ios::out);  // create it
        if (!io) return false;
        io.close();
        io.open(file, std::ios::binary | std::ios::in | std::ios::out);
        if (!io) return false;
    }
    io.seekp(static_cast<std::streamoff>(pos));
    io.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    io.flush();
    return static_cast<bool>(io);
}

}  // namespace vildo
