#include "codec/imported_text.h"

#include <QStringDecoder>
#include <array>
#include <utility>

namespace {

// The text of `bytes` as `decoder` reads it, and whether every byte decoded.
std::pair<std::string, bool> decoded(std::string_view bytes, QStringDecoder decoder)
{
    const QString text =
        decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return {text.toStdString(), !decoder.hasError()};
}

} // namespace

std::optional<std::string> importedText(std::string_view bytes)
{
    const std::array<std::pair<std::string_view, QStringConverter::Encoding>, 3> marks{{
        {"\xEF\xBB\xBF", QStringConverter::Utf8},
        {"\xFF\xFE", QStringConverter::Utf16LE},
        {"\xFE\xFF", QStringConverter::Utf16BE},
    }};
    for (const auto& [mark, encoding] : marks) {
        if (bytes.starts_with(mark))
            return decoded(bytes.substr(mark.size()), QStringDecoder(encoding)).first;
    }
    if (auto [text, whole] = decoded(bytes, QStringDecoder(QStringConverter::Utf8)); whole)
        return text;
    if (auto [text, whole] = decoded(bytes, QStringDecoder("GBK")); whole)
        return text;
    return std::nullopt;
}
