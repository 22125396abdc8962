#include "sections/TThreeDim.h"

#include "app/FormUtil.h"

TThreeDim* ThreeDim = nullptr;

TThreeDim::TThreeDim(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TThreeDim", "三次元震源分布", 900, 700);
}
