#pragma once
// The chronology of damaging earthquakes: the table read at start, its list searched by
// words in the name and the article, and one entry in full.

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <string>
#include <vector>

#include "chronology/Chronology.h"
#include "widgets/FormControls.h"

class TRikaNenpyo : public QWidget {
    Q_OBJECT
public:
    explicit TRikaNenpyo(QWidget* parent = nullptr);

    // False when the window's data files could not be read at creation.
    bool createdOk() const { return createdOk_; }

    kavelo::ChronologyTable table;
    // Entry index of each listed grid row.
    std::vector<int> rowEntry = std::vector<int>(kavelo::kChronologyCapacity, 0);

    // Reads the table from path; "NENPYO.TXT not exists" / "File Error" and false when
    // the file cannot be read. Damaged lines are reported in one message.
    bool loadChronology(const std::string& path);
    // The first entry of this date within 3' of the position, -1 when none.
    int findChronologyEntry(int date, int lon, int lat) const { return table.find(date, lon, lat); }

    kavelo::ui::TStringGrid* StringGrid1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;  // grid headers
    QLineEdit *Edit1, *Edit2;
    QPushButton *List, *Button2, *Button1;
    QLabel* Label21;  // result message
    QLabel *Label14, *Label15, *Label16, *Label17, *Label18, *Label19, *Label20, *Label22;  // panel captions
    QLabel *Label8, *Label9, *Label10, *Label11, *Label12, *Label13;  // panel values
    QPlainTextEdit* Memo1;

public slots:
    void FormCreate();
    void ListClick();
    void StringGrid1Click(int col, int row);
    void Button2Click();
    void Button1Click();

private:
    // Column widths that hold the headings, the last filling the list; labels follow.
    void fitColumns();
    void showEntry(int entry);
    bool createdOk_ = true;
};

extern TRikaNenpyo* RikaNenpyo;
