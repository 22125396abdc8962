#pragma once

#include <QWidget>

class TSection : public QWidget {
    Q_OBJECT
public:
    explicit TSection(QWidget* parent = nullptr);

public slots:
    // Clears and redraws the cross-section along the map's zone; run by the zone window's
    // depth switch and after a zone is drawn on the map. The section drawing fills it.
    void BtnRunClick();
};

extern TSection* Section;
