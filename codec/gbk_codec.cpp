#include "codec/gbk_codec.h"

#include "naming/gbk_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

constexpr auto codecName = "GBK";

// True when the last character of the text is a lead byte with nothing behind it.
bool endsInCutCharacter(std::string_view bytes)
{
    std::size_t offset = 0;
    std::size_t last = 0;
    while (offset < bytes.size()) {
        last = offset;
        offset += gbk::characterLength(bytes, offset);
    }
    return !bytes.empty() && gbk::isLeadByte(static_cast<unsigned char>(bytes[last])) &&
           last + 1 == bytes.size();
}

std::string encodeAsTheConverterDoes(const QString& text)
{
    static QStringEncoder encoder(codecName, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::size_t characterCount(std::string_view bytes)
{
    std::size_t count = 0;
    for (std::size_t offset = 0; offset < bytes.size();
         offset += gbk::characterLength(bytes, offset))
        ++count;
    return count;
}

bool isSurrogatePair(const QString& text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
}

std::size_t codePointCount(const QString& text)
{
    std::size_t count = 0;
    for (qsizetype i = 0; i < text.size(); i += isSurrogatePair(text, i) ? 2 : 1)
        ++count;
    return count;
}

} // namespace

std::string GbkCodec::encode(const QString& text)
{
    std::string bytes = encodeAsTheConverterDoes(text);
    if (characterCount(bytes) == codePointCount(text))
        return bytes;
    // The converter drops some characters instead of substituting them (the default-ignorable
    // ones such as U+00AD, a lone high surrogate at the end): one character at a time, an
    // empty result becomes '?'.
    bytes.clear();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = isSurrogatePair(text, i) ? 2 : 1;
        const std::string character = encodeAsTheConverterDoes(text.sliced(i, length));
        bytes += character.empty() ? std::string("?") : character;
        i += length;
    }
    return bytes;
}

QString GbkCodec::decode(std::string_view bytes)
{
    static QStringDecoder decoder(codecName, QStringConverter::Flag::Stateless);
    const bool cut = endsInCutCharacter(bytes);
    if (cut)
        bytes.remove_suffix(1);
    QString text =
        decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (cut)
        text += QChar::ReplacementCharacter;
    return text;
}
