#pragma once
// Saving a window's picture as PNG or BMP, shared by the map and the 3-D view.

#include <QString>

class QImage;

namespace kavelo::ui {

// Writes `picture` to `chosen` (".bmp" or ".png" appended when the name has no extension);
// a write failure shows its reason with the caption "File Error" and returns false.
bool savePicture(const QImage& picture, const QString& chosen, bool bmp);

}  // namespace kavelo::ui
