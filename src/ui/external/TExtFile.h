#pragma once
// External hypocentre lists: reading one of four formats into the ExternalList, the
// grid of what was read, and its uses (plot on the map, replace or extend the
// Catalogue, append to GEPPO1.BIN).

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <functional>

#include "catalogue/CatalogueRewrite.h"
#include "external/ExternalList.h"
#include "external/ExternalListModel.h"
#include "widgets/FormControls.h"

class TExtFile : public QWidget {
    Q_OBJECT
  public:
    explicit TExtFile(QWidget* parent = nullptr);

    // ---- The list read and the plot settings the map reads
    kavelo::ExternalList ExternalList;
    int markIndex = 6;  // item of RadioGroup2
    int markSize = 15;  // pixels

    // Reads a file in the chosen format (what BtnExtFileClick does after the dialog).
    // False when the file could not be read (already reported).
    bool readFile(const QString& path);
    // The format chosen in RadioGroup1 (1 ... 4), 0 before a choice.
    int formatNumber() const { return RadioGroup1->itemIndex() + 1; }
    // The folder the file dialog starts in for the chosen format.
    QString startFolder() const;

    // Chooses the file in BtnExtFileClick (folder, filter, preselected filter); tests
    // replace the dialog. An empty answer is a cancel.
    std::function<QString(const QString&, const QString&, const QString&)> openFileHook;
    // File operations of the append to GEPPO1.BIN; tests inject failures (null: the real ones).
    kavelo::RewriteFileOps* rewriteOps = nullptr;

    // ---- Controls
    kavelo::ui::TRadioGroup *RadioGroup1, *RadioGroup2, *RadioGroup3;
    QPushButton *BtnExtFile, *BtnExMap, *Button1, *Button2, *Button3, *Button4, *Button5;
    QCheckBox *CheckBox1, *CheckBox2;
    kavelo::ui::TStringGrid* StringGrid1;
    kavelo::ui::ExternalListModel* listModel;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label18;
    QWidget* Panel2;

  public slots:
    void FormCreate();
    void RadioGroup1Click();
    void BtnExtFileClick();
    void BtnExMapClick();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();

  private:
    // Column widths that hold the headings, the last filling the list.
    void fitColumns();
    void buildControls();
    // The external records a replace or add takes: mag 4.0 and over while CheckBox1 is checked.
    bool takes(const kavelo::EarthquakeRecord& r) const;
    void listNewCatalogue();
};

extern TExtFile* ExtFile;
