#include "file_reading.h"

#include "unique_fd.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    // O_NONBLOCK keeps a FIFO in place of the file from blocking the open; it is refused below.
    const UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat status {};
    if (!fd || fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
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
        } else if (errno != EINTR) {
            return std::nullopt;
        }
    }
}
