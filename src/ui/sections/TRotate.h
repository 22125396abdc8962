#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

class TRotate : public QWidget {
    Q_OBJECT
public:
    explicit TRotate(QWidget* parent = nullptr);

    // ---- Centre of the rotation, chosen on the map
    bool waiting = false;  // waits for a centre click on the map
    bool running = false;  // a rotation has been started
    QLabel* Label2;          // prompt while waiting
    QLabel* Label3;          // "回転中心"
    QLabel *Label4, *Label5;  // centre latitude ddmm, longitude dddmm as text
    QPushButton* Button1;    // hidden start button

    bool waitsForCentre() const { return waiting && !running; }
    // Entered from the zone window: waiting, not running; the prompt; the fields cleared.
    void waitForCentre();
    // The pointer's position over the map while waiting.
    void showCentre(int lat, int lon);
    // A press on the map while waiting: the centre (snapped by the map) goes into the
    // fields, the prompt is cleared and the rotation starts (Button1Click). The window
    // keeps waiting when the rotation does not start (a centre it refuses).
    void centreChosen(int lat, int lon);

public slots:
    // Starts the rotation about the centre in Label4 / Label5; the rotation fills it.
    void Button1Click();
};

extern TRotate* Rotate;
