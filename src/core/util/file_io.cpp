#include "util/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
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

namespace {

std::atomic<uint64_t> writeFailures{0};

bool failed() {
    ++writeFailures;
    return false;
}

std::error_code lastError() { return {errno, std::generic_category()}; }

bool writeAll(int fd, const std::string& bytes, std::error_code& ec) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ec = lastError();
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Writes into what cannot be replaced by a rename; a pipe without a reader fails instead of blocking.
bool writeInPlace(const std::filesystem::path& file, const std::string& bytes, std::error_code& ec) {
    int fd = ::open(file.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        ec = lastError();
        return false;
    }
    bool ok = writeAll(fd, bytes, ec);
    ::close(fd);
    return ok;
}

}  // namespace

bool writeFileAtomic(const std::filesystem::path& file, const std::string& bytes) {
    std::error_code ec;
    return writeFileAtomic(file, bytes, ec);
}

bool writeFileAtomic(const std::filesystem::path& file, const std::string& bytes, std::error_code& ec) {
    ec.clear();
    std::error_code ignored;
    std::filesystem::path target = file;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(file, ignored))) {
        std::filesystem::path resolved = std::filesystem::weakly_canonical(file, ignored);
        if (!ignored) target = resolved;
    }
    const std::filesystem::file_status st = std::filesystem::status(target, ignored);
    if (std::filesystem::is_directory(st)) {
        ec = std::make_error_code(std::errc::is_a_directory);
        return failed();
    }
    if (std::filesystem::exists(st) && !std::filesystem::is_regular_file(st))
        return writeInPlace(target, bytes, ec) || failed();

    // Until the rename the old file stays whole, whenever the process dies.
    std::filesystem::path tmp = target;
    tmp += ".tmp";
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        ec = lastError();
        return failed();
    }
    bool ok = writeAll(fd, bytes, ec);
    if (::close(fd) != 0 && ok) {
        ec = lastError();
        ok = false;
    }
    if (ok && ::rename(tmp.c_str(), target.c_str()) != 0) {
        ec = lastError();
        ok = false;
    }
    if (ok) return true;
    ::unlink(tmp.c_str());
    return failed();
}

uint64_t failedWrites() { return writeFailures; }

std::string writeFailureReason(const std::error_code& ec) {
    if (ec.category() == std::generic_category() || ec.category() == std::system_category()) {
        switch (ec.value()) {
            case ENOSPC:
            case EDQUOT: return "disken är full";
            case EROFS:
            case EACCES:
            case EPERM: return "skrivskyddad";
            case ENOENT:
            case ENOTDIR: return "mappen finns inte";
            case EISDIR: return "det är en mapp";
            case ENAMETOOLONG: return "namnet är för långt";
            case EFBIG: return "filen blir för stor";
            case EIO: return "fel vid skrivning till disken";
            case EBUSY:
            case ETXTBSY: return "filen används av ett annat program";
            case EMFILE:
            case ENFILE: return "för många öppna filer";
            case ENXIO: return "ingen tar emot det som skrivs";
            default: break;
        }
    }
    return ec.message();
}

bool writeBytesAt(const std::filesystem::path& file, uint64_t pos, const std::string& bytes) {
    std::fstream io(file, std::ios::binary | std::ios::in | std::ios::out);
    if (!io) {
        io.clear();
        io.open(file, std::ios::binary | std::ios::out);  // create it
        if (!io) return failed();
        io.close();
        io.open(file, std::ios::binary | std::ios::in | std::ios::out);
        if (!io) return failed();
    }
    io.seekp(static_cast<std::streamoff>(pos));
    io.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    io.flush();
    return io || failed();
}

}  // namespace vildo
