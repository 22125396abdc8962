#include "help/HelpText.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

namespace kavelo::ui {

QString howtoText() {
    return QString::fromUtf8(R"(<h2>KAVELOの使い方</h2>
<p>KAVELOは日本の地震カタログ（震源リスト）を検索・解析するプログラムです。起動時に
<b>DATA</b>フォルダの <tt>RIKA.BIN</tt>（1884年以前の被害地震）と <tt>GEPPO1.BIN</tt>（1885年以降）を読み込み，
すべての地震を一覧表に表示します。</p>
<h3>検索</h3>
<ol>
<li>「地震検索」で<b>条件検索</b>を選びます。</li>
<li>期間（YYYY，YYYY/MM，YYYY/MM/DD），緯度・経度（度×100＋分），マグニチュード（×10），震源深さ（km）を入力します。
緯度・経度・深さは下限を含み上限を含みません。期間とマグニチュードは両端を含みます。</li>
<li>震源地には地名の一部を入力できます。半角の「|」で区切ると最大10個のどれかを含む地震を探します。
「NULL」は震源地名のない地震です。</li>
<li>「検索する」を押すと，見つかった地震が一覧表に表示されます。</li>
</ol>
<p>「条件記憶」の0～2を選んで「保　存」「呼　出」で検索条件を保存・再利用できます。</p>
<h3>地図と解析</h3>
<p>「地　　図」で震央分布図を描きます。円の大きさはマグニチュード，色は深さを表します。
地図上でドラッグして領域を指定すると，深さ分布図・断面図・回転断面図を描けます。
「統計値」で年別・月別頻度，グーテンベルク・リヒター則の当てはめ，確率分布を表示します。
「理科年表」で被害地震の年表を検索できます。</p>
<h3>ファイル</h3>
<p>「ﾌｧｲﾙ」をチェックして「書き出し」を押すと，一覧表をCSVファイルに保存します。
図は「保存ﾌｧｲﾙﾀｲﾌﾟ」で選んだPNGまたはBMPで保存できます。</p>)");
}

QString map3DHelpText() {
    return QString::fromUtf8(R"(<h2>三次元震源分布図の描き方</h2>
<ol>
<li>主画面で地震を検索し，「3D」をチェックしてから「地　　図」を押します。</li>
<li>三次元震源分布の画面で，回転角（水平・垂直・傾き）のトラックバーを動かすと図が回転します。</li>
<li>拡大率と中心位置を変えると，見たい部分を大きく表示できます。</li>
<li>陸地の輪郭と深さの基準面が震源と一緒に描かれます。震源の色は深さを表します。</li>
<li>「PNGﾌｧｲﾙ」（または「BMPﾌｧｲﾙ」）で図を保存できます。</li>
</ol>)");
}

QString distHelpText() {
    return QString::fromUtf8(R"(<h2>震央距離範囲検索</h2>
<p>ある地点から一定の距離（300km以内）にある地震だけを検索します。</p>
<ol>
<li>主画面の「震央距離範囲検索」をチェックすると「距離範囲検索」画面が開きます。</li>
<li>中心の緯度（度×100＋分），経度（度×100＋分）と半径（km）を入力します。
「地図上で指定」をチェックすると，地図をクリックして中心を指定できます。</li>
<li>「検索」を押すと，ほかの検索条件に加えて距離の条件で検索します。
「円」をチェックしておくと地図に検索範囲の円が描かれます。</li>
<li>「解除」を押すまで，距離の条件はすべての検索に使われます。</li>
</ol>
<p>距離は地球を半径6371kmの球として大円距離で計算し，km未満を切り捨てて比べます。</p>)");
}

QString extHelpText() {
    return QString::fromUtf8(R"(<h2>外部地震ﾘｽﾄ読込み</h2>
<p>カタログ以外の震源リスト（機関の震源リスト，このシステムの書式，書き出したCSV，一元化震源リスト）を読み込み，
一覧表示・地図への表示・カタログとの置換や追加ができます。</p>
<ol>
<li>主画面のメニュー「ﾌｧｲﾙ」→「外部地震ﾘｽﾄ読込み」を選びます。</li>
<li>まず「データ形式」でファイルの形式（1～4）を選びます。形式を選ぶまで「読み込み」は押せません。</li>
<li>「読み込み」を押し，開いた画面でフォルダとファイルを選ぶと読み込まれ，一覧に表示されます。</li>
<li>読み込んだ地震は記号を選んで震央分布図に重ねて表示できます。</li>
<li>「追加保存」をチェックして追加すると，<tt>GEPPO1.BIN</tt> にも書き加えます。
書き換えは一時ファイルを完全に書いてから置き換えるので，失敗してもカタログは失われません。</li>
</ol>)");
}

QString aboutText() {
    return QString::fromUtf8(R"(<h2>KAVELO Ver4.4</h2>
<p>地震検索システム</p>
<p>同梱のデータについて：1884年以前の被害地震（<tt>RIKA.BIN</tt>）と主な大地震は，
知られている震源・規模を概略値で収めたものです。1885年以降の<b>背景の地震活動は合成データ</b>で，
日本周辺の海溝・沈み込む地殻・内陸の活断層帯に沿った震源分布，グーテンベルク・リヒター則，
大森・宇津の余震減衰を模したモデルから作られています。実際の観測カタログではありません。</p>
<p>実際の震源カタログは「外部地震ﾘｽﾄ読込み」で読み込んで使えます。</p>
<p>海岸線：Natural Earth（パブリックドメイン）。</p>)");
}

void buildHelpPage(QWidget* form, const QString& html) {
    auto* lay = new QVBoxLayout(form);
    auto* text = new QTextBrowser(form);
    text->setObjectName("Memo1");
    text->setHtml(html);
    lay->addWidget(text);
    auto* close = new QPushButton(QString::fromUtf8("閉じる"), form);
    close->setObjectName("Button1");
    close->setAutoDefault(false);
    lay->addWidget(close, 0, Qt::AlignRight);
    QObject::connect(close, &QPushButton::clicked, form, &QWidget::close);
}

}  // namespace kavelo::ui
