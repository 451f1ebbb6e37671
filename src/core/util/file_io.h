// Byte-level file access for the binary state files: whole reads, positioned writes, atomic replacement.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace vildo {

// Every reader goes through these: anything but a regular file (a FIFO, a device, a folder) is refused without
// blocking, and nothing is read beyond what the caller can use.

// True when the path names a regular file (symbolic links followed).
bool isRegularFile(const std::filesystem::path& file);

// The whole file, or nothing when it cannot be read or is not a regular file.
std::optional<std::string> readWholeFile(const std::filesystem::path& file);

// The first min(file size, limit) bytes, or nothing when the file cannot be read or is not a regular file.
std::optional<std::string> readFileUpTo(const std::filesystem::path& file, size_t limit);

// Exactly n bytes from position pos, or nothing when the file is missing, not a regular file, or shorter.
std::optional<std::string> readBytesAt(const std::filesystem::path& file, uint64_t pos, size_t n);

// Replaces the file whole: write a temporary beside it, then rename. False when it fails. The temporary is a
// new file with a unique name ending in kTemporarySuffix, removed again when the write fails.
constexpr const char* kTemporarySuffix = ".tmp";
bool writeFileAtomic(const std::filesystem::path& file, const std::string& bytes);
// The same, telling why it failed. A link is followed, so the file it names is replaced, not the link; a
// device or pipe is written in place, as it cannot be replaced.
bool writeFileAtomic(const std::filesystem::path& file, const std::string& bytes, std::error_code& ec);

// Held while a file is read, changed and written back: the writers of one folder that take it run one after
// the other, so none loses what another added. An advisory lock (flock) on the folder, as the file itself is
// replaced by each write; it is released when the holder dies.
class UpdateLock {
public:
    explicit UpdateLock(const std::filesystem::path& file);
    ~UpdateLock();
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

private:
    int fd_ = -1;
};

// How many writes of this process have failed so far: a caller that must not end in success after a failed
// write, such as the command line, asks this at the end.
uint64_t failedWrites();

// Why a write failed, in Swedish words for the user: "disken är full", "skrivskyddad", ...
std::string writeFailureReason(const std::error_code& ec);

// Writes bytes at position pos, creating the file when missing and keeping what lies outside.
bool writeBytesAt(const std::filesystem::path& file, uint64_t pos, const std::string& bytes);

// The bytes of a plain record.
template <class T>
std::string bytesOf(const T& record) {
    return std::string(reinterpret_cast<const char*>(&record), sizeof(T));
}

}  // namespace vildo
