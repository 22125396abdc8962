#include "app/PictureFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>

#include "app/MessageBox.h"
#include "platform/ImageFile.h"

namespace kavelo::ui {

bool savePicture(const QImage& source, const QString& chosen, bool bmp) {
    QString name = chosen;
    if (!QFileInfo(name).fileName().contains('.')) name += bmp ? ".bmp" : ".png";
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    PixelBuffer px{reinterpret_cast<const uint32_t*>(picture.constBits()), picture.width(), picture.height(),
                   static_cast<std::size_t>(picture.bytesPerLine())};
    const std::string path = QFile::encodeName(name).toStdString();
    ImageFileResult r = bmp ? writeBmp(path, px) : writePng(path, px);
    if (!r.ok) {
        messageBox(QString::fromLocal8Bit(r.message.c_str()), "File Error");
        return false;
    }
    return true;
}

}  // namespace kavelo::ui
