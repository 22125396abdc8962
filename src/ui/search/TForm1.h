#pragma once
// The main window: the Catalogue and SelectionList, the search conditions, the
// result list and the commands that open every other window.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <cstdint>
#include <functional>
#include <string>

#include "catalogue/Catalogue.h"
#include "search/CatalogueSearch.h"
#include "search/ResultListModel.h"
#include "widgets/TTkBtn.h"
#include "widgets/FormControls.h"

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // False when the catalogue could not be loaded; the program then ends.
    bool createdOk() const { return createdOk_; }

    // ---- Data owned by the main window
    kavelo::Catalogue catalogue;
    kavelo::SelectionList selection;
    std::string workDir;          // current directory at start
    std::string geppoPath, rikaPath, tempPath;
    uint8_t allMode = 1;          // SelectionList holds every record
    uint8_t distanceMode = 0;     // CBDistance checked
    uint8_t depthAnimating = 0;   // depth-sliced display running
    int32_t depthStep = 20;       // slice thickness, km
    int32_t depthTop = 0;         // shallow bound of the current slice, km
    uint8_t extListShown = 0;     // unified external list read
    uint8_t stopChoice = 0;       // last button of TStop

    // ---- Operations used by other windows
    // Fills the grid with records 0 ... n-1 and resets the count labels.
    void listAll(int n);
    // The last record's date, "最終日付 ..." in Label30.
    void showLastDate();
    // Search inside a zone quadrilateral (the map's zone window lists with it).
    void zoneSearch(const kavelo::ZoneCorners& zone);
    // Loads DATA/GEPPO1.BIN again after it was replaced (the fetch window): the Catalogue,
    // the name substitution and the listing as at start; a zone drawn on the old catalogue
    // and the windows showing its records are closed. False when it cannot be read.
    bool reloadCatalogue();
    // Lists a selection another window makes (scan fills `selection` and returns its
    // count) as a search result: list, count and the buttons that use it.
    void listFound(const std::function<int(const kavelo::SearchProgress*)>& scan) { scanAndList(scan); }
    // The distance circle every search applies while the distance window has it on.
    kavelo::DistanceCondition distanceCondition() const;

    // ---- Controls (names as the program knows them)
    QLineEdit *date1, *date2, *lat1, *lat2, *lon1, *lon2, *mag1, *mag2, *depth1, *depth2, *Origin;
    QLineEdit* Edit2;
    kavelo::ui::TUpDown *UpDown1, *UpDown2, *UpDown3, *UpDown4, *UpDown5, *UpDown6, *UpDown7;
    kavelo::ui::TRadioGroup *RadioGroup1, *RadioGroup2;
    kavelo::ui::TTkBtn *TkBtn1, *TkBtn2;
    QPushButton *BtnSearch, *BtnMap, *BtnReset, *Button1, *Button2, *Button3,
        *Button4, *Button5, *Button6, *BtnFile, *BtnClose, *BtnDepth;
    QCheckBox *ListChk, *FileChk, *CBDistance, *CB3D;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9,
        *Label10, *Label12, *Label13, *Label14, *Label15, *Label16, *Label17, *Label18, *Label19,
        *Label23, *Label24, *Label25, *Label26, *Label27, *Label28, *Label29, *Label30, *Label31, *Label35,
        *Label32, *Label33, *Label34;
    QProgressBar* ProgressBar1;
    kavelo::ui::TStringGrid* StringGrid1;
    kavelo::ui::ResultListModel* resultModel;
    kavelo::ui::TImage* Image1;
    QMenu *FileF1, *Edit1, *Color1, *HelpH1, *Coast1, *Land1, *Sea1, *Grid1, *SubGrid1,
        *SaveType1, *DepthRange1;
    QAction *ExtFileInput, *FdsnFetch1, *QuitQ1, *MapFormat1, *Default1, *Howto1, *N31, *DistHelp1, *ExtHelp1,
        *Version1, *GIF1, *BMP1, *km10, *km20, *km50, *km100;
    QMenu* Analysis1;
    QAction *Statistics1, *SeismicityAnalysis1;
    // Colour items: coast, land, sea, grid, sub-grid.
    QAction *Blue1, *Aqua1, *Black1, *None1;
    QAction *Yellow1, *Green1, *Brown1, *None3;
    QAction *Blue2, *Aqua2, *White1;
    QAction *Aqua3, *Yellow2, *Gray1, *None2;
    QAction *Yellow3, *Aqua4, *Gray2;

public slots:
    // Enter in a condition field: runs the search while 条件検索 is chosen.
    void conditionEntered();
    void FormCreate();
    // Search and listing
    void BtnSearchClick();
    void BtnResetClick();
    void RadioGroup1Click();
    void UpDown1Click(int button);
    void UpDown2Click(int button);
    void UpDown3Click(int button);
    void UpDown4Click(int button);
    void UpDown5Click(int button);
    void UpDown6Click(int button);
    void mag1Click();
    void StringGrid1SelectCell(int col, int row);
    void Edit2Change();
    void Button6Click();
    void CBDistanceClick();
    void TkBtn1Click();
    void TkBtn2Click();
    void Button3Click();
    void Button4Click();
    // Map commands
    void BtnMapClick();
    void Button1Click();
    void BtnDepthClick();
    void km10Click();
    void km20Click();
    void km50Click();
    void km100Click();
    void GIF1Click();
    void BMP1Click();
    void Blue1Click();
    void Aqua1Click();
    void Black1Click();
    void None1Click();
    void Yellow1Click();
    void Green1Click();
    void Brown1Click();
    void None3Click();
    void Blue2Click();
    void Aqua2Click();
    void White1Click();
    void Aqua3Click();
    void Yellow2Click();
    void Gray1Click();
    void None2Click();
    void Yellow3Click();
    void Aqua4Click();
    void Gray2Click();
    void Default1Click();
    // Other windows and the program
    void Button2Click();
    void Button5Click();
    void FileChkClick();
    void BtnFileClick();
    void MapFormat1Click();
    void ExtFileInputClick();
    void FdsnFetch1Click();
    void Howto1Click();
    void N31Click();
    void DistHelp1Click();
    void ExtHelp1Click();
    void Version1Click();
    void Statistics1Click();
    void SeismicityAnalysis1Click();
    void Image1Click();
    void QuitQ1Click();
    void BtnCloseClick();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* ev) override;

private:
    void buildControls();
    void buildMenus();
    void setCaptions();
    // Column widths that hold the headings, the last column filling the list; the
    // heading labels follow the columns.
    void fitListColumns();
    void addMnemonics();
    // Tooltips with the units of the condition fields.
    void setConditionTips();
    bool loadCatalogue();
    void loadOriginNames();
    // Every record listed in ALL mode with the conditions reset, as at start.
    void listEverything();
    void drawLogo();
    // Search helpers: condition texts, the shared scan-and-list steps, the enabling
    // of the condition controls.
    bool readConditions(kavelo::SearchConditions& c, bool readBox);
    void scanAndList(const std::function<int(const kavelo::SearchProgress*)>& scan);
    void setConditionControlsEnabled(bool on);

    bool createdOk_ = true;
};

extern TForm1* Form1;
