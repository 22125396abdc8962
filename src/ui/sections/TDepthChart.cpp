#include "sections/TDepthChart.h"

#include "app/FormUtil.h"

TDepthChart* DepthChart = nullptr;

TDepthChart::TDepthChart(QWidget* parent) : QWidget(parent) {
    kavelo::ui::initForm(this, "TDepthChart", "深度分布", 900, 560);
}

void TDepthChart::drawDepthCharts() {}
