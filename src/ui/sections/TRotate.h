#pragma once
// The rotating-section window: a section through a centre picked on the map, turned
// one degree per timer step, with its strip outlined on the map. Marks, strip outline
// and compass needle are drawn in XOR, so each step erases the last one exactly.

#include <QWidget>
#include <cstdint>
#include <vector>

#include "sections/RotateDrawing.h"
#include "sections/RotatingSection.h"
#include "widgets/FormControls.h"

class QLabel;
class QPushButton;
class QTimer;

class TRotate : public QWidget {
    Q_OBJECT
public:
    explicit TRotate(QWidget* parent = nullptr);

    // ---- Hand-off from the zone window and the map
    // Waits for a centre click on the map: prompt shown, centre cleared, window shown.
    void waitForCentre();
    // Waiting for the centre and not yet running.
    bool waitsForCentre() const { return waiting && !running; }
    // The pointer's position over the map while waiting, shown in the centre fields.
    void showCentre(int lat, int lon);
    // A press on the map while waiting (snapped by the map): the centre goes into the
    // fields, the prompt is cleared and the rotation starts. The window keeps waiting
    // when the rotation does not start (a centre it refuses).
    void centreChosen(int lat, int lon);

    // ---- State
    int angle = 0;            // degrees counter-clockwise from east, 0 ... 179
    float radius = 3.0f;      // half-length of the line, degrees
    int margin = 300;         // the same in degree-minutes
    int stripWidth = 30;      // half-width of the strip, degree-minutes
    bool waiting = false;     // waits for a centre click on the map
    bool running = false;     // a rotation has been started

    // One timer step (also run by tests without the timer).
    void step() { Timer1Timer(); }
    // Marks now drawn on the section (the last step's).
    const std::vector<kavelo::ui::RotateMark>& shownMarks() const { return shownMarks_; }
    bool outlineShown() const { return outlineShown_; }

    kavelo::ui::TImage *Image1, *Image2;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label7, *Label8;
    kavelo::ui::TRadioGroup *RadioGroup1, *RadioGroup2, *RadioGroup3, *RadioGroup4;
    kavelo::ui::TTrackBar* TrackBar1;
    QPushButton *Button1, *Button2, *Button3, *Button4, *Button5, *Button6, *Button7;
    QPushButton* BtnSave;  // the section picture to a file
    QTimer* Timer1;

public slots:
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void BtnSaveClick();
    void RadioGroup2Click();
    void TrackBar1Change();
    void Timer1Timer();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // The static picture and a fresh start: no previous step, groups enabled.
    void drawSectionGrid();
    // Plots marks for the listed records at an angle (XOR) and shows their count.
    void drawSectionMarks(const std::vector<kavelo::ui::RotateMark>& marks);
    // Erases what the last step left on the map, the section and the dial.
    void eraseOutline();
    void eraseMarks();
    // Reads the main window's bounds and fills the SelectionList for the strip just built;
    // false (after a message) when the bounds cannot be used.
    bool selectStripQuakes();
    // Stops everything and clears the XOR figures; used by close.
    void finish();

    bool outlineShown_ = false;
    kavelo::StripEnds outlineEnds_{};
    int outlineWidth_ = 0;
    uint32_t outlineDrawing_ = 0;  // the map's full drawing the outline was drawn over
    std::vector<kavelo::ui::RotateMark> shownMarks_;
    bool needleShown_ = false;
    int needleAngle_ = 0;
    bool inStep_ = false;
};

extern TRotate* Rotate;
