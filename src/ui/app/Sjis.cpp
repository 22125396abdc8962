#include "app/Sjis.h"
#include "platform/ShiftJis.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace kavelo::ui {

namespace {

bool isTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Damaged text (a cut double-byte character, a stray byte): decoded one character at a
// time so that each bad byte shows as U+FFFD instead of being dropped or turned into a
// control character, and the good characters around it survive.
QString decodeDamaged(std::string_view bytes) {
    const QChar bad(0xFFFD);
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t width = 1;
        if (isSjisLeadByte(c)) {
            if (i + 1 >= bytes.size() || !isTrail(static_cast<unsigned char>(bytes[i + 1]))) {
                out += bad;  // the next byte is read again on its own
                ++i;
                continue;
            }
            width = 2;
        }
        QStringDecoder dec("CP932", QStringDecoder::Flag::Stateless);
        const QString one = dec.decode(QByteArrayView(bytes.data() + i, static_cast<qsizetype>(width)));
        if (dec.hasError() || one.isEmpty())
            out += bad;
        else
            out += one;
        i += width;
    }
    return out;
}

}  // namespace

QString fromSjis(std::string_view bytes) {
    QStringDecoder dec("CP932", QStringDecoder::Flag::Stateless);
    QString s = dec.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!dec.hasError()) return s;
    return decodeDamaged(bytes);
}

std::string toSjis(const QString& text) {
    QStringEncoder enc("CP932", QStringEncoder::Flag::Stateless);
    QByteArray b = enc.encode(text);
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

}  // namespace kavelo::ui
