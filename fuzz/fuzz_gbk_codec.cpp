// The GBK codec in both directions. The input is decoded as bytes, and encoded read as UTF-16
// code units (little-endian pairs, an odd last byte ignored).
//
// The properties below were checked against Qt's ICU converter over every one- and two-byte
// sequence and every code point: the decoder maps each byte sequence it accepts to BMP characters
// that the encoder turns back into the same bytes, private-use characters included (0xFF is
// U+F8F5 and back), and no two sequences decode to the same text. The encoder is not the exact
// inverse: a character the code page lacks, a lone surrogate and a default-ignorable character
// (soft hyphen, zero-width joiners, ...) become '?'.

#include "codec/gbk_codec.h"
#include "fuzz/fuzz_check.h"

#include <QString>
#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void CheckDecoding(std::string_view bytes)
{
    const QString text = GbkCodec::decode(bytes);
    FUZZ_CHECK(text.isEmpty() == bytes.empty());
    // Every character, U+FFFD included, stands for one or two bytes.
    FUZZ_CHECK(static_cast<std::size_t>(text.size()) <= bytes.size());
    FUZZ_CHECK(static_cast<std::size_t>(text.size()) >= (bytes.size() + 1) / 2);
    for (const QChar c : text)
        FUZZ_CHECK(!c.isSurrogate());
    if (!text.contains(QChar::ReplacementCharacter))
        FUZZ_CHECK(GbkCodec::encode(text) == bytes);
}

// The text is encoded character by character: a surrogate pair is one character, and every
// character, one the code page lacks or a lone surrogate included, gives one code page character.
void CheckEncodingPerCodePoint(QStringView text, const std::string& bytes)
{
    std::string joined;
    qsizetype characters = 0;
    for (qsizetype i = 0; i < text.size(); ++characters) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        const std::string encoded = GbkCodec::encode(text.mid(i, length).toString());
        FUZZ_CHECK(encoded.size() == 1 || encoded.size() == 2);
        FUZZ_CHECK(GbkCodec::decode(encoded).size() == 1);
        if (text[i].unicode() < 0x80)
            FUZZ_CHECK(encoded == std::string(1, static_cast<char>(text[i].unicode())));
        joined += encoded;
        i += length;
    }
    FUZZ_CHECK(bytes == joined);
    FUZZ_CHECK(GbkCodec::decode(bytes).size() == characters);
}

void CheckEncoding(QStringView text)
{
    const std::string bytes = GbkCodec::encode(text.toString());
    FUZZ_CHECK(bytes.size() <= 2 * static_cast<std::size_t>(text.size()));
    // Whatever the encoder writes decodes cleanly and encodes back to itself.
    const QString decoded = GbkCodec::decode(bytes);
    FUZZ_CHECK(!decoded.contains(QChar::ReplacementCharacter));
    FUZZ_CHECK(GbkCodec::encode(decoded) == bytes);
    CheckEncodingPerCodePoint(text, bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CheckDecoding(std::string_view(reinterpret_cast<const char*>(data), size));

    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    for (std::size_t i = 0; i < size / 2; ++i)
        text[static_cast<qsizetype>(i)] =
            QChar(static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8));
    CheckEncoding(text);
    return 0;
}
