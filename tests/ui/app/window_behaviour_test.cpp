// Where windows open and how they close, and the width of message boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QScreen>
#include <QWindow>
#include <memory>

#include "app/FormUtil.h"
#include "app/MessageBox.h"

using namespace kavelo::ui;

namespace {

QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

std::unique_ptr<QWidget> form(const char* name, int w, int h) {
    auto f = std::make_unique<QWidget>();
    initForm(f.get(), name, name, w, h);
    return f;
}

}  // namespace

TEST(WindowPlacement, FramesAreMovedIntoTheAreaAndBesideTheAnchors) {
    const QRect area(0, 0, 1600, 1000);
    EXPECT_EQ(clampIntoArea(QRect(100, 900, 300, 200), area), QPoint(100, 800));
    EXPECT_EQ(clampIntoArea(QRect(1500, -20, 300, 200), area), QPoint(1300, 0));
    EXPECT_EQ(clampIntoArea(QRect(40, 50, 300, 200), area), QPoint(40, 50));
    // Too big for the area: the top-left corner stays on it.
    EXPECT_EQ(clampIntoArea(QRect(200, 300, 1800, 1100), area), QPoint(0, 0));

    // Beside a main window at the left: to its right, top-aligned.
    EXPECT_EQ(placeBeside(QSize(400, 300), {QRect(0, 100, 700, 780)}, area), QPoint(700, 100));
    // A main window at the right: to its left.
    EXPECT_EQ(placeBeside(QSize(400, 300), {QRect(1000, 100, 600, 780)}, area), QPoint(600, 100));
    // No room on either side: the place that covers the least of the anchors (right of
    // the main window, pushed back 50 px onto it, rather than over the map at the left).
    const std::vector<QRect> both = {QRect(450, 100, 700, 780), QRect(0, 0, 460, 700)};
    EXPECT_EQ(placeBeside(QSize(500, 800), both, area), QPoint(1100, 100));
    // Nothing to stand beside: centred.
    EXPECT_EQ(placeBeside(QSize(400, 200), {}, area), area.center() - QPoint(200, 100));
}

TEST(WindowPlacement, AWindowOpensInsideTheScreenAndReopensWhereItWas) {
    const QRect area = screenArea();
    auto w = form("TPlaced", 300, 200);
    w->move(area.right() - 100, area.bottom() - 50);  // would run off the right and bottom
    w->show();
    EXPECT_TRUE(area.contains(w->frameGeometry())) << w->frameGeometry().x() << "," << w->frameGeometry().y();

    // Moved by the user, hidden, shown again: where it was left.
    w->move(area.x() + 30, area.y() + 40);
    const QPoint left = w->pos();
    for (int i = 0; i < 3; ++i) {
        w->hide();
        w->show();
        EXPECT_EQ(w->pos(), left);
    }

    // A modal step window shown again and again stays put too.
    QDialog d;
    initForm(&d, "TStepDialog", "step", 200, 100);
    d.show();
    const QPoint first = d.pos();
    EXPECT_TRUE(area.contains(d.frameGeometry()));
    for (int i = 0; i < 3; ++i) {
        d.hide();
        d.show();
        EXPECT_EQ(d.pos(), first);
    }
}

TEST(WindowPlacement, AFirstShowingStandsBesideTheMainWindow) {
    const QRect area = screenArea();
    auto main = form("TForm1", area.width() / 3, area.height() / 2);
    main->move(area.topLeft());
    main->show();
    auto w = form("TSide", area.width() / 4, area.height() / 3);
    w->show();
    EXPECT_TRUE(area.contains(w->frameGeometry()));
    EXPECT_FALSE(w->frameGeometry().intersects(main->frameGeometry()));
    EXPECT_EQ(w->frameGeometry().left(), main->frameGeometry().right() + 1);
}

TEST(MessageBoxWidth, ABoxIsAtLeastAsWideAsItsCaption) {
    int least = 0;
    setMessageBoxHook([&least](QMessageBox& box) {
        box.layout()->activate();
        least = box.layout()->totalMinimumSize().width();
        return static_cast<int>(QMessageBox::Ok);
    });
    messageBox("x", "Data Error");
    EXPECT_GE(least, captionWidth("Data Error"));
    messageBox("x", "とても長い見出しのメッセージボックスの例です");
    EXPECT_GE(least, captionWidth("とても長い見出しのメッセージボックスの例です"));
    EXPECT_GT(captionWidth("とても長い見出しのメッセージボックスの例です"), captionWidth("Data Error"));
    setMessageBoxHook(nullptr);
}

TEST(WindowPlacement, ASecondWindowBesideTheMainWindowAvoidsTheFirst) {
    const QRect area(0, 0, 1600, 1000);
    const std::vector<QRect> main = {QRect(450, 124, 702, 777)};
    // The file-output window already stands right of the main window: the folder window
    // goes below it rather than over it.
    const QRect fileOut(1152, 124, 422, 251);
    const QPoint p = placeBeside(QSize(362, 351), main, area, {fileOut});
    const QRect placed(p, QSize(362, 351));
    EXPECT_TRUE(area.contains(placed));
    EXPECT_FALSE(placed.intersects(main[0]));
    EXPECT_FALSE(placed.intersects(fileOut));
    // With the map at the left as well, below the file-output window is the free place.
    const std::vector<QRect> mainAndMap = {main[0], QRect(0, 124, 754, 797)};
    EXPECT_EQ(placeBeside(QSize(362, 351), mainAndMap, area, {fileOut}), QPoint(1152, 375));
}

TEST(WindowButtons, OnlyAResizableWindowOffersMaximise) {
    auto fixed = form("TFixed", 300, 200);
    EXPECT_TRUE(fixed->windowFlags() & Qt::CustomizeWindowHint);
    EXPECT_FALSE(fixed->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(fixed->windowFlags() & Qt::WindowCloseButtonHint);
    auto grows = form("TGrows", 300, 200);
    makeResizable(grows.get(), {}, [] {});
    EXPECT_TRUE(grows->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(grows->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}
