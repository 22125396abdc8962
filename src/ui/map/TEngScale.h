#pragma once
// Legend of the energy map: a swatch and a threshold per energy level.

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "map/EnergyGrid.h"
#include "widgets/FormControls.h"

class TEngScale : public QWidget {
    Q_OBJECT
public:
    explicit TEngScale(QWidget* parent = nullptr);

    // Refills the swatches with the colours an energy drawing used.
    void showColors(const kavelo::EnergyColors& colors);

    QLabel* Label10;  // title
    // Label11 "Under 1.00e+11 J", Label12 ... Label18 "Over  %8.2e J" for 1e11 ... 1e17.
    std::array<QLabel*, 8> levelLabels{};
    // Image9 below level 0, Image10 ... Image16 levels 0-6.
    std::array<kavelo::ui::TImage*, 8> swatches{};
    QPushButton *Button1, *Button2;

public slots:
    void FormCreate();
    void Button1Click();
    void Button2Click();

protected:
    void closeEvent(QCloseEvent* e) override;
};

extern TEngScale* EngScale;
