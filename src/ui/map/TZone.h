#pragma once
// The zone window: the two end points of the zone drawn on the map, their distance,
// the zone width and the switches of the zone search.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "search/CatalogueSearch.h"
#include "widgets/FormControls.h"

class TZone : public QWidget {
    Q_OBJECT
public:
    explicit TZone(QWidget* parent = nullptr);

    kavelo::ui::TRadioGroup* RadioGroup1;  // zone width: 10', 15', 30', 1°, 2°, square
    QLabel *Label1, *Label2, *Label3, *Label4, *Label11, *Label12;  // captions
    QLabel *Label5, *Label7;  // P1 latitude, longitude
    QLabel *Label6, *Label8;  // P2 latitude, longitude
    QLabel* Label10;          // P1-P2 distance in km
    QLabel* Label9;           // status
    QCheckBox *CBSnap, *CBDepth;
    QPushButton *Button1, *Button2, *BtnRotate, *BtnListup;

    // The P1 or P2 labels read back as degree-minutes (0 when empty).
    kavelo::DdmmPoint p1FromLabels() const;
    kavelo::DdmmPoint p2FromLabels() const;
    // Label10 = "%6.1f" of the great-circle distance between the P1 and P2 labels.
    void showLabelDistance();

public slots:
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void BtnListupClick();
    void RadioGroup1Click();
    void CBDepthClick();
    void BtnRotateClick();

protected:
    // Closing the window by its frame ends the zone search as 閉じる does.
    void closeEvent(QCloseEvent* e) override;
};

extern TZone* Zone;
