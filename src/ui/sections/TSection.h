#pragma once
// The cross-section window: the selection's hypocentres by distance along the zone's
// line and depth.

#include <QWidget>

#include "sections/SectionDrawing.h"
#include "widgets/FormControls.h"

class QCheckBox;
class QLabel;
class QPushButton;

class TSection : public QWidget {
    Q_OBJECT
public:
    explicit TSection(QWidget* parent = nullptr);

    // What a drawing reads from the main window, the map and the zone window.
    kavelo::ui::SectionInput sectionInput() const;

    // Degrees of latitude per degree of longitude of the last oblique section drawn.
    float slope = 0;

    kavelo::ui::TImage* Image1;
    QLabel* Label1;
    QPushButton *BtnRun, *Button1, *Button2, *Button3, *Button4;
    QPushButton* BtnSave;  // the picture to a file
    kavelo::ui::TRadioGroup *RadioGroup1, *RadioGroup2;
    QCheckBox *CBInverse, *CBPoint;

public slots:
    // Clears and redraws the section.
    void BtnRunClick();
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void BtnSaveClick();
    void Button3Click();
    void Button4Click();
    void CBInverseClick();
    void RadioGroup1Click();
    void RadioGroup2Click();
};

extern TSection* Section;
