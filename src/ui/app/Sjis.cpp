#include "app/Sjis.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace kavelo::ui {

QString fromSjis(std::string_view bytes) {
    QStringDecoder dec("CP932", QStringDecoder::Flag::Stateless);
    return dec.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string toSjis(const QString& text) {
    QStringEncoder enc("CP932", QStringEncoder::Flag::Stateless);
    QByteArray b = enc.encode(text);
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

}  // namespace kavelo::ui
