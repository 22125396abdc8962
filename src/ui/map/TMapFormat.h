#pragma once
// The format window: depth classes (limits and colours) with their colour files, and the
// colours of the energy levels. The settings live in the map window.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "widgets/Canvas.h"
#include "widgets/FormControls.h"

class TMapFormat : public QWidget {
    Q_OBJECT
public:
    explicit TMapFormat(QWidget* parent = nullptr);

    // Asks for a colour starting at initial; nothing when cancelled. Tests replace the dialog.
    std::function<std::optional<kavelo::ui::TColor>(kavelo::ui::TColor initial)> colorDialogHook;

    QTabWidget* PageControl1;
    QWidget *TabSheet1, *TabSheet2;
    // Depth page: Label1..7, Edit1..7 (limits, with up-downs), Image1..7 and Button2..8
    // (class colours 0-6), hidden Edit8..14 (colours in hexadecimal).
    std::array<QLabel*, 7> depthLabels{};
    std::array<QLineEdit*, 7> limitEdits{};
    std::array<kavelo::ui::TUpDown*, 7> limitUpDowns{};
    std::array<kavelo::ui::TImage*, 7> depthSwatches{};
    std::array<QPushButton*, 7> depthColorButtons{};
    std::array<QLineEdit*, 7> colorEdits{};
    QLabel* Label8;
    QPushButton *Button9, *Button10, *Button11, *Button12;
    kavelo::ui::TRadioGroup* RadioGroup1;
    // Energy page: Label10..16, Label17..23, Image8..14, Button13..19.
    std::array<QLabel*, 7> levelLabels{};
    std::array<QLabel*, 7> thresholdLabels{};
    std::array<kavelo::ui::TImage*, 7> energySwatches{};
    std::array<QPushButton*, 7> energyColorButtons{};
    QPushButton *Button20, *Button21;
    QPushButton* Button1;
    QLabel* Label9;

    // Edit k and Image k (k = 1 ... 7), for callers that think in the form's numbering.
    QLineEdit* edit(int k) const;
    kavelo::ui::TImage* image(int k) const;

public slots:
    void FormCreate();
    void Button9Click();   // Set
    void Button10Click();  // Default
    void Button11Click();  // Read
    void Button12Click();  // Save
    void Button20Click();  // energy colour defaults
    void Button21Click();  // map
    void Button1Click();
    // Colour of depth class 0-6 (Button2 ... Button8) or energy level 0-6 (Button13 ... Button19).
    void depthColorClick(int cls);
    void energyColorClick(int level);
    void Button2Click() { depthColorClick(0); }
    void Button3Click() { depthColorClick(1); }
    void Button4Click() { depthColorClick(2); }
    void Button5Click() { depthColorClick(3); }
    void Button6Click() { depthColorClick(4); }
    void Button7Click() { depthColorClick(5); }
    void Button8Click() { depthColorClick(6); }
    void Button13Click() { energyColorClick(0); }
    void Button14Click() { energyColorClick(1); }
    void Button15Click() { energyColorClick(2); }
    void Button16Click() { energyColorClick(3); }
    void Button17Click() { energyColorClick(4); }
    void Button18Click() { energyColorClick(5); }
    void Button19Click() { energyColorClick(6); }

private:
    void buildControls();
    std::optional<kavelo::ui::TColor> chooseColor(kavelo::ui::TColor initial);
    void showDepthSettings();
    void showEnergyColors();
};

extern TMapFormat* MapFormat;
