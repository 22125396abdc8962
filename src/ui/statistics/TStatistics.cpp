#include "statistics/TStatistics.h"

#include "app/FormUtil.h"

TStatistics* Statistics = nullptr;

TStatistics::TStatistics(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TStatistics", "統計値", 952, 662);
}
