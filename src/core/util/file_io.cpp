#include "util/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
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

namespace {

std::atomic<uint64_t> writeFailures{0};

bool failed() {
    ++writeFailures;
    return false;
}

std::error_code lastError() { return {errno, std::generic_category()}; }

// A new temporary beside `target`, created exclusively and without following a link, so that nothing planted
// under its name is opened; the usual mode, as the file it becomes. -1 with errno set when none can be made.
int createTemporary(const std::filesystem::path& target, std::string& name) {
    static std::atomic<uint64_t> serial{0};
    thread_local std::mt19937_64 random{std::random_device{}() ^ static_cast<uint64_t>(::getpid())};
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        char unique[40];
        std::snprintf(unique, sizeof unique, ".%d-%016llx", static_cast<int>(::getpid()),
                      static_cast<unsigned long long>(random() ^ serial++));
        name = (folder / target.filename()).string() + unique + kTemporarySuffix;
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

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

    // Until the rename the old file stays whole, whenever the process dies; two writers of the same file never
    // share a temporary.
    std::string tmp;
    int fd = createTemporary(target, tmp);
    if (fd < 0) {
        ec = lastError();
        return failed();
    }
    bool ok = writeAll(fd, bytes, ec);
    // The file replaced keeps its mode.
    struct stat old;
    if (ok && ::stat(target.c_str(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0) {
        ec = lastError();
        ok = false;
    }
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

UpdateLock::UpdateLock(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::path folder = std::filesystem::weakly_canonical(file, ignored).parent_path();
    if (ignored || folder.empty()) folder = file.parent_path().empty() ? "." : file.parent_path();
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;  // then the write that follows fails and says why
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

UpdateLock::~UpdateLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
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
