#include "widgets/FormControls.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/Numbers.h"

namespace kavelo::ui {

// ---------------------------------------------------------------- TRadioGroup

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent) { setLayout(new QGridLayout); }

void TRadioGroup::setItems(const QStringList& items) {
    for (auto* b : buttons_) delete b;
    buttons_.clear();
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        b->setObjectName(QString("item%1").arg(i));
        b->setAutoExclusive(false);
        connect(b, &QRadioButton::clicked, this, [this, i] { setItemIndex(i); });
        buttons_.append(b);
    }
    relayout();
    setItemIndexSilently(index_ < items.size() ? index_ : -1);
}

QStringList TRadioGroup::items() const {
    QStringList l;
    for (auto* b : buttons_) l << b->text();
    return l;
}

void TRadioGroup::setItemCaption(int i, const QString& caption) {
    if (auto* b = buttons_.value(i)) b->setText(caption);
}

void TRadioGroup::setColumns(int columns) {
    columns_ = columns < 1 ? 1 : columns;
    relayout();
}

void TRadioGroup::relayout() {
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setSpacing(2);
    const int perColumn = (static_cast<int>(buttons_.size()) + columns_ - 1) / columns_;
    for (int i = 0; i < buttons_.size(); ++i) {
        grid->removeWidget(buttons_[i]);
        grid->addWidget(buttons_[i], perColumn ? i % perColumn : 0, perColumn ? i / perColumn : 0);
    }
}

void TRadioGroup::setItemIndexSilently(int i) {
    index_ = (i >= 0 && i < buttons_.size()) ? i : -1;
    for (int k = 0; k < buttons_.size(); ++k) buttons_[k]->setChecked(k == index_);
}

void TRadioGroup::setItemIndex(int i) {
    setItemIndexSilently(i);
    emit clicked();
}

// ---------------------------------------------------------------- TUpDown

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (auto* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        lay->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { click(Next); });
    connect(down_, &QToolButton::clicked, this, [this] { click(Prev); });
}

void TUpDown::setPosition(int p) {
    position_ = std::clamp(p, min_, max_);
    syncEdit();
    emit changed();
}

void TUpDown::setMin(int v) {
    min_ = v;
    if (max_ < min_) max_ = min_;
    if (position_ < min_) setPosition(min_);
}

void TUpDown::setMax(int v) {
    max_ = v;
    if (min_ > max_) min_ = max_;
    if (position_ > max_) setPosition(max_);
}

void TUpDown::setRange(int lo, int hi) {
    min_ = lo;
    max_ = hi < lo ? lo : hi;
    setPosition(position_);
}

void TUpDown::setAssociate(QLineEdit* edit) {
    edit_ = edit;
    syncEdit();
}

void TUpDown::syncEdit() {
    if (edit_) edit_->setText(QString::number(position_));
}

void TUpDown::click(Button b) {
    // A number typed into the edit is where the step starts from.
    if (edit_) {
        if (auto v = kavelo::strictToInt(edit_->text().toStdString()))
            position_ = std::clamp(*v, min_, max_);
    }
    int p = position_ + (b == Next ? increment_ : -increment_);
    if (p > max_) p = wrap_ ? min_ : max_;
    if (p < min_) p = wrap_ ? max_ : min_;
    setPosition(p);
    emit clicked(b);
}

// ---------------------------------------------------------------- TTrackBar

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setTickPosition(QSlider::TicksBelow);
    connect(this, &QSlider::valueChanged, this, &TTrackBar::changed);
}

// ---------------------------------------------------------------- TImage

TImage::TImage(QWidget* parent, int width, int height) : QWidget(parent), canvas_(width, height) {
    setFixedSize(width, height);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImage::setPictureSize(int w, int h) {
    canvas_.setSize(w, h);
    setFixedSize(w, h);
    update();
}

void TImage::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRect r = e->rect();
    p.drawImage(r.topLeft(), canvas_.image(), r);
}

void TImage::mousePressEvent(QMouseEvent* e) {
    pressed_ = true;
    emit mouseDown(e->button(), e->modifiers(), e->position().toPoint().x(),
                   e->position().toPoint().y());
}

void TImage::mouseMoveEvent(QMouseEvent* e) {
    emit mouseMove(e->modifiers(), e->position().toPoint().x(), e->position().toPoint().y());
}

void TImage::mouseReleaseEvent(QMouseEvent* e) {
    emit mouseUp(e->button(), e->modifiers(), e->position().toPoint().x(),
                 e->position().toPoint().y());
    if (pressed_ && rect().contains(e->position().toPoint())) emit clicked();
    pressed_ = false;
}

void TImage::mouseDoubleClickEvent(QMouseEvent*) { emit doubleClicked(); }

// ---------------------------------------------------------------- StringTableModel

int StringTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}
int StringTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant StringTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return cell(index.column(), index.row());
}

void StringTableModel::setColCount(int n) {
    beginResetModel();
    cols_ = std::max(0, n);
    for (auto& r : rows_) r.resize(static_cast<std::size_t>(cols_));
    endResetModel();
}

void StringTableModel::setRowCount(int n) {
    beginResetModel();
    rows_.resize(static_cast<std::size_t>(std::max(0, n)),
                 std::vector<QString>(static_cast<std::size_t>(cols_)));
    endResetModel();
}

void StringTableModel::setCell(int col, int row, const QString& text) {
    if (col < 0 || col >= cols_ || row < 0) return;
    if (row >= static_cast<int>(rows_.size())) setRowCount(row + 1);
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = text;
    emit dataChanged(index(row, col), index(row, col));
}

QString StringTableModel::cell(int col, int row) const {
    if (col < 0 || col >= cols_ || row < 0 || row >= static_cast<int>(rows_.size())) return {};
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

// ---------------------------------------------------------------- TStringGrid

TStringGrid::TStringGrid(QWidget* parent) : QTableView(parent), cells_(new StringTableModel(this)) {
    setModel(cells_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setWordWrap(false);
    setDefaultRowHeight(20);
    connect(this, &QTableView::clicked, this,
            [this](const QModelIndex& i) { emit selectCell(i.column(), i.row()); });
}

void TStringGrid::setColWidths(const std::vector<int>& widths) {
    for (std::size_t c = 0; c < widths.size(); ++c) setColumnWidth(static_cast<int>(c), widths[c]);
}

void TStringGrid::setDefaultRowHeight(int h) {
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(h);
    verticalHeader()->setMinimumSectionSize(1);
}

int TStringGrid::rowCount() const { return model() ? model()->rowCount() : 0; }
int TStringGrid::colCount() const { return model() ? model()->columnCount() : 0; }

QString TStringGrid::cellText(int col, int row) const {
    if (!model()) return {};
    return model()->data(model()->index(row, col), Qt::DisplayRole).toString();
}

void TStringGrid::setCurrentRow(int row) {
    if (!model() || row < 0 || row >= model()->rowCount()) return;
    int col = currentIndex().isValid() ? currentIndex().column() : 0;
    QModelIndex i = model()->index(row, col);
    setCurrentIndex(i);
    scrollTo(i);
}

int TStringGrid::currentRow() const { return currentIndex().isValid() ? currentIndex().row() : -1; }

}  // namespace kavelo::ui
