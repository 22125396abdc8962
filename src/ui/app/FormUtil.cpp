#include "app/FormUtil.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFontMetrics>
#include <QScrollBar>
#include <QCheckBox>
#include <QEvent>
#include <QScreen>
#include <QWindow>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace kavelo::ui {

namespace {

// Where a window's client area was when it was hidden, so showing it again puts it back
// there (a window manager may otherwise shift a re-shown window by its title bar). The
// client position is kept rather than the frame's: while a window is being rebuilt (new
// window flags) its frame is not known.
constexpr const char* kLastClientPos = "kaveloClientPos";

// Frame margins of a window: its own once it has been on screen, otherwise those of any
// window on screen (all windows here share one decoration), otherwise none.
QMargins frameMarginsOf(const QWidget* form) {
    auto margins = [](const QWidget* w) {
        return w->windowHandle() && w->isVisible() ? w->windowHandle()->frameMargins() : QMargins();
    };
    QMargins m = margins(form);
    if (!m.isNull()) return m;
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        m = margins(w);
        if (!m.isNull()) return m;
    }
    return {};
}

QRect availableArea(const QWidget* form) {
    const QScreen* s = form->screen();
    if (!s) s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect();
}

// The main window and the map, where they are on screen and not the window itself.
std::vector<QRect> anchorsFor(const QWidget* form) {
    std::vector<QRect> anchors;
    for (const char* name : {"TForm1", "TMap"}) {
        for (const QWidget* w : QApplication::topLevelWidgets()) {
            if (w != form && w->isVisible() && w->objectName() == name) anchors.push_back(w->frameGeometry());
        }
    }
    return anchors;
}

// The program's other windows on screen, leaving out the passing progress window.
std::vector<QRect> othersFor(const QWidget* form) {
    std::vector<QRect> others;
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        const QString name = w->objectName();
        if (w != form && w->isVisible() && w->isWindow() && name != "TForm1" && name != "TMap" &&
            name != "TProcess" && !qobject_cast<const QMessageBox*>(w))
            others.push_back(w->frameGeometry());
    }
    return others;
}

class PlacementFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && w->isWindow()) {
            if (e->type() == QEvent::Show) placeWindow(w);
            else if (e->type() == QEvent::Hide) w->setProperty(kLastClientPos, w->geometry().topLeft());
        }
        return false;
    }
};

PlacementFilter* placementFilter() {
    static auto* filter = new PlacementFilter(QCoreApplication::instance());
    return filter;
}

}  // namespace

QPoint clampIntoArea(const QRect& frame, const QRect& area) {
    int x = std::min(frame.x(), area.x() + area.width() - frame.width());
    int y = std::min(frame.y(), area.y() + area.height() - frame.height());
    return {std::max(x, area.x()), std::max(y, area.y())};
}

QPoint placeBeside(const QSize& frame, const std::vector<QRect>& anchors, const QRect& area,
                   const std::vector<QRect>& others) {
    if (anchors.empty()) return clampIntoArea(QRect(area.center() - QPoint(frame.width() / 2, frame.height() / 2), frame), area);
    auto covered = [](const std::vector<QRect>& rects, const QRect& r) {
        long long sum = 0;
        for (const QRect& a : rects) {
            const QRect i = a.intersected(r);
            if (!i.isEmpty()) sum += static_cast<long long>(i.width()) * i.height();
        }
        return sum;
    };
    // Candidates beside the anchors first, then beside the other windows; the best covers
    // the least of the anchors and, among those, the least of the other windows.
    std::vector<QRect> around = anchors;
    around.insert(around.end(), others.begin(), others.end());
    QPoint best;
    std::pair<long long, long long> bestCover{-1, -1};
    for (const QRect& a : around) {
        for (QPoint p : {QPoint(a.right() + 1, a.top()), QPoint(a.left() - frame.width(), a.top()),
                         QPoint(a.left(), a.bottom() + 1), QPoint(a.left(), a.top() - frame.height())}) {
            p = clampIntoArea(QRect(p, frame), area);
            const std::pair<long long, long long> c{covered(anchors, QRect(p, frame)), covered(others, QRect(p, frame))};
            if (bestCover.first < 0 || c < bestCover) {
                best = p;
                bestCover = c;
            }
        }
    }
    return best;
}

void placeWindow(QWidget* form) {
    const QRect area = availableArea(form);
    if (area.isEmpty()) return;
    const QMargins m = frameMarginsOf(form);
    const QSize frame = form->size().grownBy(m);
    const QPoint frameOffset(m.left(), m.top());
    QPoint at;
    const QVariant last = form->property(kLastClientPos);
    if (last.isValid())
        at = last.toPoint() - frameOffset;
    else if (form->testAttribute(Qt::WA_Moved))
        at = form->pos();
    else
        at = placeBeside(frame, anchorsFor(form), area, othersFor(form));
    // The client area is placed directly: before a window is first mapped its frame is
    // unknown to the toolkit, which would then put the client where the frame should be.
    const QPoint client = clampIntoArea(QRect(at, frame), area) + frameOffset;
    if (client != form->geometry().topLeft() || !form->testAttribute(Qt::WA_Moved))
        form->setGeometry(QRect(client, form->size()));
}

namespace {

class AnchorFilter : public QObject {
public:
    AnchorFilter(QWidget* form, const std::vector<std::pair<QWidget*, int>>& anchored,
                 std::function<void()> after)
        : QObject(form), base_(form->size()), after_(std::move(after)) {
        for (const auto& [w, how] : anchored) items_.push_back({w, w->geometry(), how});
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Resize && o == parent()) {
            const QSize d = static_cast<QWidget*>(o)->size() - base_;
            for (const Item& i : items_) {
                QRect g = i.start;
                if (i.how & MoveX) g.translate(d.width(), 0);
                if (i.how & MoveY) g.translate(0, d.height());
                if (i.how & GrowX) g.setWidth(g.width() + d.width());
                if (i.how & GrowY) g.setHeight(g.height() + d.height());
                i.widget->setGeometry(g);
            }
            if (after_) after_();
        }
        return false;
    }

private:
    struct Item {
        QWidget* widget;
        QRect start;
        int how;
    };
    QSize base_;
    std::vector<Item> items_;
    std::function<void()> after_;
};

}  // namespace

void makeResizable(QWidget* form, const std::vector<std::pair<QWidget*, int>>& anchored,
                   std::function<void()> after) {
    form->setMinimumSize(form->size());
    form->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    form->setWindowFlags(form->windowFlags() | Qt::WindowMaximizeButtonHint);
    form->installEventFilter(new AnchorFilter(form, anchored, std::move(after)));
}

std::vector<int> fitColumnWidths(const std::vector<int>& widths, const QStringList& headings,
                                 const QFont& font, int total, int margin) {
    const QFontMetrics fm(font);
    std::vector<int> out = widths;
    int sum = 0, lastLeast = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const int least = static_cast<qsizetype>(i) < headings.size()
                              ? fm.horizontalAdvance(headings[static_cast<qsizetype>(i)]) + margin
                              : 0;
        out[i] = std::max(out[i], least);
        sum += out[i];
        lastLeast = least;
    }
    if (!out.empty()) out.back() = std::max(lastLeast, out.back() + total - sum);
    return out;
}

int gridRowWidth(const QWidget* grid) {
    const auto* view = qobject_cast<const QAbstractScrollArea*>(grid);
    int w = grid->width();
    if (view) {
        w -= 2 * view->frameWidth();
        if (view->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
            w -= view->verticalScrollBar()->sizeHint().width();
    }
    return std::max(0, w);
}

void initForm(QWidget* form, const char* className, const QString& caption, int width, int height,
              bool stayOnTop) {
    form->setObjectName(className);
    form->setWindowTitle(caption);
    // CustomizeWindowHint makes the window manager honour the buttons listed: without it an X11
    // manager offers maximise on a fixed-size window, where it does nothing.
    Qt::WindowFlags f = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                        Qt::WindowMinimizeButtonHint;
    if (stayOnTop) f |= Qt::WindowStaysOnTopHint;
    form->setWindowFlags(f);
    form->setFixedSize(width, height);
    form->installEventFilter(placementFilter());
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w,
                  int h) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    if (w < 0) {
        l->adjustSize();
        l->move(x, y);
    } else {
        l->setGeometry(x, y, w, h);
    }
    return l;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, int x, int y,
                        int w, int h) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setGeometry(x, y, w, h);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* makeEdit(QWidget* parent, const char* name, const QString& text, int x, int y, int w,
                    int h) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    e->setGeometry(x, y, w, h);
    return e;
}

QCheckBox* makeCheck(QWidget* parent, const char* name, const QString& text, int x, int y, int w,
                     int h, bool checked) {
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(name);
    c->setGeometry(x, y, w, h);
    c->setChecked(checked);
    return c;
}

void showWindow(QWidget* form) {
    form->show();
    form->raise();
    form->activateWindow();
}

}  // namespace kavelo::ui
