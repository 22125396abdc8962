#include "map/TMagScale.h"

#include "app/FormUtil.h"

TMagScale* MagScale = nullptr;

TMagScale::TMagScale(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TMagScale", "ﾏｸﾞﾆﾁｭｰﾄﾞｻｲｽﾞ/深さ色分け", 265, 400, true);
}
