#pragma once
// Legend of the epicentre map: mark sizes by magnitude and colours by depth.

#include <QPushButton>
#include <QWidget>

#include "widgets/FormControls.h"

class TMagScale : public QWidget {
    Q_OBJECT
public:
    explicit TMagScale(QWidget* parent = nullptr);

    kavelo::ui::TImage* Image1;
    QPushButton *Button1, *Button2;

public slots:
    // Draws the legend (also run to redraw it).
    void FormCreate();
    void Button1Click();
    void Button2Click();

protected:
    // Closing by the window frame does what 閉じる does.
    void closeEvent(QCloseEvent* e) override;
};

extern TMagScale* MagScale;
