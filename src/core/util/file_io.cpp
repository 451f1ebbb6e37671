#include "util/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <limits>
#include <system_error>

namespace vildo {

namespace {

// A read-only descriptor of a regular file, opened so that a FIFO swapped in after the check cannot block.
class RegularFile {
public:
    explicit RegularFile(const std::filesystem::path& file) {
        if (!isRegularFile(file)) return;
        fd_ = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        struct stat st;
        if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) close();
    }
    ~RegularFile() { close(); }
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    // Up to n bytes from position pos, fewer only at the end of the file; nothing on a read error.
    std::optional<std::string> read(uint64_t pos, size_t n) const {
        std::string data;
        char buf[65536];
        while (data.size() < n) {
            const size_t want = std::min(sizeof buf, n - data.size());
            const ssize_t got = ::pread(fd_, buf, want, static_cast<off_t>(pos + data.size()));
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) return std::nullopt;
            if (got == 0) break;
            data.append(buf, static_cast<size_t>(got));
        }
        return data;
    }

private:
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    int fd_ = -1;
};

}  // namespace

bool isRegularFile(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::status(file, ec));
}

std::optional<std::string> readWholeFile(const std::filesystem::path& file) {
    return readFileUpTo(file, std::numeric_limits<size_t>::max());
}

std::optional<std::string> readFileUpTo(const std::filesystem::path& file, size_t limit) {
    RegularFile in(file);
    if (!in.isOpen()) return std::nullopt;
    return in.read(0, limit);
}

std::optional<std::string> readBytesAt(const std::filesystem::path& file, uint64_t pos, size_t n) {
    RegularFile in(file);
    if (!in.isOpen()) return std::nullopt;
    auto data = in.read(pos, n);
    if (!data || data->size() != n) return std::nullopt;
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
