#include "settings/file_reading.h"

#include "settings/unique_fd.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes, int* error)
{
    int ignored = 0;
    int& fault = error ? *error : ignored;
    fault = 0;
    const auto failed = [&fault] {
        fault = errno;
        return std::nullopt;
    };
    // O_NONBLOCK keeps a FIFO in place of the file from blocking the open; it is refused below.
    const UniqueFd fd(
        open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW));
    struct stat status {};
    if (!fd || fstat(fd.get(), &status) != 0) {
        return failed();
    }
    if (!S_ISREG(status.st_mode) || static_cast<std::uintmax_t>(status.st_size) > maxBytes) {
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(status.st_size));
    std::array<char, 64 * 1024> chunk{};
    for (;;) {
        const ssize_t count = read(fd.get(), chunk.data(), chunk.size());
        if (count == 0) {
            return bytes;
        }
        if (count > 0) {
            bytes.append(chunk.data(), static_cast<std::size_t>(count));
            // The file may grow while it is read.
            if (bytes.size() > maxBytes) {
                return std::nullopt;
            }
        } else if (errno != EINTR) {
            return failed();
        }
    }
}
