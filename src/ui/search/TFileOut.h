#pragma once
// Saving the result list as CSV: target directory, base name and serial number.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <optional>
#include <string>

#include "search/ResultCsv.h"
#include "widgets/FormControls.h"

class TFileOut : public QWidget {
    Q_OBJECT
  public:
    explicit TFileOut(QWidget* parent = nullptr);

    // The CSV of the main window's grid as it stands (header from its condition texts
    // and the map's zone when one is in force).
    std::string buildCsv(const std::string& fileName) const;
    // The zone written into the header; empty while no zone is in force.
    std::optional<kavelo::CsvZone> zoneInForce() const;

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5;
    QLineEdit *Edit1, *Edit2, *Edit3;
    kavelo::ui::TUpDown* UpDown1;
    QCheckBox* CheckBox1;
    QPushButton *Button1, *Button2, *Button3;

  public slots:
    void FormCreate();
    void FormShow();
    void UpDown1Click(int button);
    void CheckBox1Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    void showSerial();
};

extern TFileOut* FileOut;
