#include "read_link.h"

#include <unistd.h>

std::optional<std::string> ReadLink(const std::string& path)
{
    std::string text(256, '\0');
    for (;;) {
        const ssize_t length = readlink(path.c_str(), text.data(), text.size());
        if (length < 0) {
            return std::nullopt;
        }
        // A result that fills the buffer may have been cut: retry with more room.
        if (static_cast<std::size_t>(length) < text.size()) {
            text.resize(static_cast<std::size_t>(length));
            return text;
        }
        text.resize(text.size() * 2);
    }
}
