#include <gtest/gtest.h>

#include <QLineEdit>

#include "widgets/FormControls.h"

using namespace kavelo::ui;

TEST(FormControls, UpDownStepsFromTheTypedValueAndClampsOrWraps) {
    QLineEdit edit;
    TUpDown ud;
    ud.setRange(2400, 5000);
    ud.setIncrement(100);
    ud.setAssociate(&edit);
    ud.setPosition(1000);
    EXPECT_EQ(ud.property("position").toInt(), 2400);
    EXPECT_EQ(edit.text(), "2400");
    edit.setText("4950");
    ud.click(TUpDown::Next);
    EXPECT_EQ(ud.position(), 5000);
    ud.click(TUpDown::Next);
    EXPECT_EQ(ud.position(), 5000);
    TUpDown w;
    w.setRange(1, 3);
    w.setWrap(true);
    w.setPosition(3);
    int clicks = 0;
    QObject::connect(&w, &TUpDown::clicked, [&](int) { ++clicks; });
    w.click(TUpDown::Next);
    EXPECT_EQ(w.position(), 1);
    w.click(TUpDown::Prev);
    EXPECT_EQ(w.position(), 3);
    EXPECT_EQ(clicks, 2);
}

TEST(FormControls, RadioGroupItemIndexRunsTheClickHandler) {
    TRadioGroup g;
    g.setItems({"a", "b", "c"});
    int clicks = 0;
    QObject::connect(&g, &TRadioGroup::clicked, [&] { ++clicks; });
    g.setProperty("itemIndex", 2);
    EXPECT_EQ(g.itemIndex(), 2);
    EXPECT_TRUE(g.button(2)->isChecked());
    EXPECT_FALSE(g.button(0)->isChecked());
    g.setItemIndexSilently(0);
    EXPECT_EQ(clicks, 1);
    g.button(1)->click();
    EXPECT_EQ(g.itemIndex(), 1);
    EXPECT_FALSE(g.button(0)->isChecked());
    EXPECT_EQ(clicks, 2);
}

TEST(FormControls, StringGridCellsGrowWithTheirRows) {
    TStringGrid grid;
    grid.cells()->setColCount(3);
    grid.cells()->setCell(2, 4, "x");
    EXPECT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(grid.cellText(2, 4), "x");
    EXPECT_EQ(grid.cellText(0, 0), "");
    grid.setCurrentRow(3);
    EXPECT_EQ(grid.currentRow(), 3);
    grid.setCurrentRow(9);  // out of range: unchanged
    EXPECT_EQ(grid.currentRow(), 3);
}
