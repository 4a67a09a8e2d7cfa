#include "gbk_codec.h"

#include "gbk_text.h"

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

} // namespace

std::string GbkCodec::encode(const QString& text)
{
    static QStringEncoder encoder(codecName, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
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
