// The picture button, the matrix grid and the single star marks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include "ui/external/ExternalWindows.h"
#include "widgets/TMatGrid.h"
#include "widgets/TTkBtn.h"

using namespace kavelo;
using namespace kavelo::test;
using namespace kavelo::ui;

namespace {
void mouse(QWidget* w, QEvent::Type type, Qt::MouseButton b, QPoint at = {10, 10}) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), b,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : b, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
}  // namespace

TEST(PictureButton, BevelsFollowTheLeftButtonAndReleaseClicks) {
    TTkBtn b;
    EXPECT_EQ(b.size(), QSize(75, 25));
    int clicks = 0;
    QObject::connect(&b, &TTkBtn::clicked, [&] { ++clicks; });
    EXPECT_EQ(b.bevelOuter(), TTkBtn::Bevel::Raised);
    mouse(&b, QEvent::MouseButtonPress, Qt::RightButton);
    EXPECT_EQ(b.bevelOuter(), TTkBtn::Bevel::Raised);
    mouse(&b, QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_EQ(b.bevelOuter(), TTkBtn::Bevel::Lowered);
    EXPECT_EQ(clicks, 0);
    mouse(&b, QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(b.bevelOuter(), TTkBtn::Bevel::Raised);
    EXPECT_EQ(clicks, 1);
    // Released outside: raised again, no click.
    mouse(&b, QEvent::MouseButtonPress, Qt::LeftButton);
    mouse(&b, QEvent::MouseButtonRelease, Qt::LeftButton, {200, 10});
    EXPECT_EQ(clicks, 1);
}

TEST(PictureButton, PaintsAPanelOrItsPictureUnderTheBevels) {
    TTkBtn b;
    QImage plain = b.render();
    EXPECT_EQ(fromQColor(plain.pixelColor(37, 12)), b.color());
    EXPECT_EQ(fromQColor(plain.pixelColor(0, 0)),
              rgb(255, 255, 255));  // raised: highlight top left
    EXPECT_EQ(fromQColor(plain.pixelColor(74, 24)), rgb(128, 128, 128));  // shadow bottom right
    b.Set_Picture(TTkBtn::facePicture(10, 10, rgb(0, 0, 200), rgb(0, 0, 200)));
    b.setBevelOuter(TTkBtn::Bevel::Lowered);
    QImage pic = b.render();
    EXPECT_EQ(fromQColor(pic.pixelColor(37, 12)), rgb(0, 0, 200));
    EXPECT_EQ(fromQColor(pic.pixelColor(0, 0)), rgb(128, 128, 128));  // lowered: colours swapped
    b.setCaption("W");
    EXPECT_NE(b.render(), pic);
}

TEST(MatrixGrid, DisplayNumbersRowsAndColumns) {
    TMatGrid g;
    const double m[6] = {1.5, 2, 3, 4, 5, 6.25};
    g.display(m, 3, 2, 3, "%5.2f");
    EXPECT_EQ(g.colCount(), 4);
    EXPECT_EQ(g.rowCount(), 3);
    EXPECT_EQ(g.fixedRows(), 1);
    EXPECT_EQ(g.cellText(0, 1), "   1");
    EXPECT_EQ(g.cellText(0, 2), "   2");
    EXPECT_EQ(g.cellText(1, 0), "     1");
    EXPECT_EQ(g.cellText(3, 0), "     3");
    EXPECT_EQ(g.cellText(1, 1), " 1.50");
    EXPECT_EQ(g.cellText(3, 2), " 6.25");
    g.setInitZero(true);
    const float f[4] = {1, 2, 3, 4};
    g.Display(f, 2, 2, 2, "%g");
    EXPECT_EQ(g.cellText(0, 1), "   0");
    EXPECT_EQ(g.cellText(2, 2), "4");
    g.Clear();
    EXPECT_EQ(g.cellText(2, 2), "");
    EXPECT_EQ(g.cellText(0, 1), "   0");
    g.setElementNumber(false);
    g.display(m, 3, 2, 3, "%s%s");  // an unsafe format falls back to %g
    EXPECT_EQ(g.colCount(), 3);
    EXPECT_EQ(g.fixedRows(), 0);
    EXPECT_EQ(g.cellText(0, 0), "1.5");
}

TEST(StarMarks, SizeTwentyStarsInTheChosenColour) {
    ExternalWindows w({quake(19500101, 0, 3015, 13015, 30, 50)});
    ASSERT_TRUE(w.ok());
    auto s = Map->geoToScreen(13242, 3407);
    ASSERT_TRUE(s);
    Map->canvas().clear(clWhite);
    EqAdd->RGMark->setItemIndex(0);
    EqAdd->RadioGroup2->setItemIndex(2);
    EqAdd->Button1Click();
    Canvas& c = Map->canvas();
    EXPECT_EQ(c.pixel(s->x, s->y - 3), clRed);     // filled inside
    EXPECT_EQ(c.pixel(s->x, s->y - 20), clBlack);  // outline reaches the tip at radius 20
    EXPECT_EQ(c.pixel(s->x, s->y - 22), clWhite);
    // The colour dialog's choice is taken; a cancelled dialog keeps the colour.
    EqAdd->colorDialogHook = [](const QColor&) { return std::optional<QColor>(QColor(0, 128, 0)); };
    EqAdd->RadioGroup3->setItemIndex(2);
    EXPECT_EQ(EqAdd->markColour, rgb(0, 128, 0));
    EqAdd->colorDialogHook = [](const QColor&) { return std::optional<QColor>(); };
    EqAdd->RadioGroup3->setItemIndex(2);
    EXPECT_EQ(EqAdd->markColour, rgb(0, 128, 0));
    EqAdd->RadioGroup3->setItemIndex(1);
    EXPECT_EQ(EqAdd->markColour, clBlack);
    // Hollow fourteen-point star: outline only, in the mark colour.
    c.clear(clWhite);
    EqAdd->RGMark->setItemIndex(3);
    EqAdd->Button1Click();
    EXPECT_EQ(c.pixel(s->x, s->y), clWhite);
    // Outside the node grid nothing is drawn; a non-number is the conversion error.
    c.clear(clWhite);
    EqAdd->Edit1->setText("100");
    EqAdd->Button1Click();
    EXPECT_EQ(c.pixel(s->x, s->y - 3), clWhite);
    EqAdd->Edit1->setText("x");
    EqAdd->Button1Click();
    ASSERT_EQ(w.fx.messages.size(), 1u);
    EXPECT_EQ(w.fx.messages[0].text, "'x' is not a valid integer value");
}
