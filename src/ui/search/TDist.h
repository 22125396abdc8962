#pragma once
// The distance-range search window: a centre, a radius, and the switch that makes
// every search keep only epicentres within the circle.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <cstdint>

class TDist : public QWidget {
    Q_OBJECT
public:
    explicit TDist(QWidget* parent = nullptr);

    // Read by the search and by the map's range circle.
    int32_t centreLat = 0;   // ddmm
    int32_t centreLon = 0;   // dddmm
    int32_t radiusKm = 0;
    uint8_t distanceOn = 0;  // every search applies the circle
    uint8_t mapSetOn = 0;    // a map click sets the centre

    static constexpr int kMaxRadiusKm = 300;

    QLabel *Label1, *Label2, *Label3;
    QLineEdit *Edit1, *Edit2, *Edit3;
    QCheckBox *CBCircle, *CBMapSet;
    QPushButton *Button1, *Button2, *Button3, *Button4, *Button5;

public slots:
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void CBMapSetClick();
};

extern TDist* Dist;
