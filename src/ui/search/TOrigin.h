#pragma once
// Hypocentre parameters of the earthquakes picked on the map.

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include "widgets/FormControls.h"

class TOrigin : public QWidget {
    Q_OBJECT
public:
    explicit TOrigin(QWidget* parent = nullptr);

    QLabel* Label1;  // "検出　..." count of matches
    QLabel* Label2;  // picked latitude and longitude
    QLabel* Label3;  // text of the pick the chronology found
    // Column labels over the grid: date, time, latitude, longitude, depth, M, origin.
    QLabel *Label6, *Label7, *Label8, *Label9, *Label10, *Label11, *Label12;
    kavelo::ui::TStringGrid* StringGrid1;  // one line of text per picked earthquake
    QPlainTextEdit* Memo1;                 // chronology entry of a pick
    QPushButton* Button1;

    // Shows or hides the seven column labels.
    void setColumnLabelsVisible(bool on);

public slots:
    void Button1Click();
};

extern TOrigin* Origin;
