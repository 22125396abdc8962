#include <gtest/gtest.h>

#include "search/TDist.h"
#include "search/TOrigin.h"
#include "ui/UiFixture.h"

using namespace kavelo::test;

TEST(DistWindow, DefaultsAndStateAtCreation) {
    UiFixture fx;
    TDist d;
    EXPECT_EQ(d.objectName(), "TDist");
    EXPECT_EQ(d.windowTitle(), "距離範囲検索");
    EXPECT_TRUE(d.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(d.Edit1->text(), "3429");
    EXPECT_EQ(d.Edit2->text(), "13318");
    EXPECT_EQ(d.Edit3->text(), "100");
    EXPECT_EQ(d.CBCircle->text(), "円");
    EXPECT_FALSE(d.CBMapSet->isChecked());
    EXPECT_EQ(d.distanceOn, 0);
    EXPECT_EQ(d.mapSetOn, 0);
    EXPECT_FALSE(d.Button4->isEnabled());
    EXPECT_FALSE(d.Button5->isEnabled());
    EXPECT_EQ(d.Button2->toolTip(), "距離検索を実行");
    d.CBMapSet->click();
    EXPECT_EQ(d.mapSetOn, 1);
}

TEST(DistWindow, NonNumberStopsBeforeAnyStateChanges) {
    UiFixture fx;
    TDist d;
    d.Edit2->setText("133x");
    d.Button2Click();
    ASSERT_EQ(fx.messages.size(), 1u);
    EXPECT_EQ(fx.messages[0].text, "'133x' is not a valid integer value");
    EXPECT_EQ(d.distanceOn, 0);
    EXPECT_EQ(d.centreLat, 0);
    EXPECT_FALSE(d.Button4->isEnabled());
}

TEST(OriginWindow, CaptionLabelsAndClose) {
    TOrigin o;
    EXPECT_EQ(o.objectName(), "TOrigin");
    EXPECT_EQ(o.windowTitle(), "震源パラメータ");
    EXPECT_EQ(o.Button1->text(), "閉じる");
    const char* texts[] = {"発震日", "時分", "緯度", "経度", "深さ", "Ｍ", "震源地"};
    QLabel* labels[] = {o.Label6, o.Label7, o.Label8, o.Label9, o.Label10, o.Label11, o.Label12};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(labels[i]->text(), QString::fromUtf8(texts[i]));
    EXPECT_EQ(o.StringGrid1->colCount(), 1);
    o.show();
    o.Button1->click();
    EXPECT_FALSE(o.isVisible());
}
