#include "splitview/Splitview.h"

#include "platform/Events.h"
#include "platform/PictureSource.h"

#include <QChildEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace {

constexpr int kDefaultThickness = 8;

// Tick counts wrap around as signed 32-bit numbers.
int32_t ticksBetween(int32_t later, int32_t earlier)
{
    return static_cast<int32_t>(static_cast<uint32_t>(later) - static_cast<uint32_t>(earlier));
}

}  // namespace

Splitview::Splitview(QWidget* parent)
    : QWidget(parent), mTicks(&Events::Ticks), mDoubleClickTicks(&Events::DoubleClickTicks)
{
    // The cursor follows the pointer over the dividers without a button held.
    setMouseTracking(true);
}

void Splitview::Open()
{
    mCollapsed.clear();
    setVertical(true);
    CreateDividerImage();
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow())
            AddSubview(widget);
    }
    // The dividers show what lies behind the control; it paints no background of its own.
    setAutoFillBackground(false);
    Open_();
}

void Splitview::Close()
{
    Close_();
}

void Splitview::setTicks(std::function<int32_t()> ticks)
{
    mTicks = std::move(ticks);
}

void Splitview::setDoubleClickTicks(std::function<int32_t()> interval)
{
    mDoubleClickTicks = std::move(interval);
}

const QList<QWidget*>& Splitview::Subviews() const
{
    return mSubviews;
}

void Splitview::AddSubview(QWidget* v)
{
    if (mSubviews.contains(v))
        return;
    mSubviews.append(v);
    v->installEventFilter(this);
}

void Splitview::RemoveSubview(QWidget* v)
{
    const qsizetype i = mSubviews.indexOf(v);
    if (i < 0)
        return;
    mSubviews.removeAt(i);
    mCollapsed.remove(v);
    v->removeEventFilter(this);
}

bool Splitview::Vertical() const
{
    return mVertical;
}

void Splitview::setVertical(bool b)
{
    mVertical = b;
    AdjustSubviews();
}

int Splitview::GetDividerThickness()
{
    mDividerThickness = DividerThickness();
    if (mDividerThickness == 0)
        mDividerThickness = kDefaultThickness;
    return mDividerThickness;
}

bool Splitview::IsSubviewCollapsed(QWidget* v) const
{
    return mCollapsed.contains(v);
}

const QPixmap& Splitview::DotPicture() const
{
    return mDotPicture;
}

int Splitview::size(const QWidget* v) const
{
    return mVertical ? v->width() : v->height();
}

int Splitview::position(const QWidget* v) const
{
    return mVertical ? v->x() : v->y();
}

void Splitview::setSize(QWidget* v, int s)
{
    if (mVertical)
        v->resize(s, v->height());
    else
        v->resize(v->width(), s);
}

void Splitview::setPosition(QWidget* v, int p)
{
    if (mVertical)
        v->move(p, v->y());
    else
        v->move(v->x(), p);
}

void Splitview::recordCollapsed(QWidget* v)
{
    mCollapsed.insert(v, QStringLiteral("%1 %2").arg(v->width()).arg(v->height()));
}

bool Splitview::canCollapse(QWidget* v) const
{
    return CanCollapseSubview(v);
}

void Splitview::AdjustSubviews()
{
    const int t = GetDividerThickness();
    const int n = static_cast<int>(mSubviews.size()) - 1;
    if (n < 0)
        return;
    const int avail = (mVertical ? width() : height()) - n * t;

    QList<int> sizes;
    int sum = 0;
    for (QWidget* v : mSubviews) {
        sizes.append(size(v));
        sum += sizes.last();
    }

    // A surplus goes whole to the last pane that is not collapsed; a shortage is taken
    // from the last one down to 0, then from the one before it, and so on.
    if (sum != avail) {
        int excess = sum - avail;
        for (int i = n; i >= 0; --i) {
            if (IsSubviewCollapsed(mSubviews[i]))
                continue;
            sum -= std::min(sizes[i], excess);
            sizes[i] -= excess;
            excess = -sizes[i];
            if (sizes[i] < 0)
                sizes[i] = 0;
            if (sum <= avail)
                break;
        }
    }

    int p = 0;
    for (int i = 0; i <= n; ++i) {
        if (mVertical)
            mSubviews[i]->setGeometry(p, 0, sizes[i], height());
        else
            mSubviews[i]->setGeometry(0, p, width(), sizes[i]);
        p += sizes[i] + t;
    }
}

void Splitview::fitToSize()
{
    // Only a change of the control's size fits the panes again; a paint at the same size
    // keeps what dragging, collapsing and expanding have set.
    if (width() != LastWidth || height() != LastHeight)
        AdjustSubviews();
    LastWidth = width();
    LastHeight = height();
}

void Splitview::paintEvent(QPaintEvent*)
{
    fitToSize();

    QPainter g(this);
    const int t = GetDividerThickness();
    int p = 0;
    for (int k = 1; k < mSubviews.size(); ++k) {
        p += size(mSubviews[k - 1]);
        if (mVertical)
            DrawDivider(g, p, 0, t, height());
        else
            DrawDivider(g, 0, p, width(), t);
        p += t;
    }
}

void Splitview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Panes that cover the whole control keep paint events from it: a narrower control
    // would never see one, so its size is taken here as well.
    fitToSize();
    update();
}

void Splitview::DrawDivider(QPainter& g, int x, int y, int w, int h)
{
    // The grip is square: its height serves for both directions (in layout units: the
    // picture has as many pixels more as the screen's pixel ratio asks).
    const double s = mDotPicture.deviceIndependentSize().height();
    const int left = static_cast<int>(x + w / 2.0 - s / 2.0);
    const int top = static_cast<int>(y + h / 2.0 - s / 2.0);
    g.drawPixmap(left, top, mDotPicture);
}

void Splitview::CreateDividerImage()
{
    // The source holds the grip in its left square and, in its right square, the mask
    // whose grey level is the grip's opacity (white opaque, black transparent).
    // Squares are taken in the source's own pixels, so the grip keeps its sharpness.
    const QPixmap& source = PictureSource::Picture(QStringLiteral("PicSeparatorDot"));
    const int h = source.height();
    QImage grip(h, h, QImage::Format_ARGB32_Premultiplied);
    grip.fill(Qt::transparent);
    if (h > 0) {
        const QImage grey = source.copy(h, 0, h, h).toImage().convertToFormat(QImage::Format_Grayscale8);
        const QImage opacity(grey.constBits(), h, h, grey.bytesPerLine(), QImage::Format_Alpha8);
        QPainter painter(&grip);
        painter.drawPixmap(QRect(0, 0, h, h), source, QRect(0, 0, h, h));
        painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        painter.drawImage(0, 0, opacity);
    }
    mDotPicture = QPixmap::fromImage(grip);
    mDotPicture.setDevicePixelRatio(source.devicePixelRatio());
}

int Splitview::MouseInDivider(int x, int y)
{
    const int c = mVertical ? x : y;
    const int t = GetDividerThickness();
    int p = 0;
    for (int k = 1; k < mSubviews.size(); ++k) {
        p += size(mSubviews[k - 1]);
        // Both ends count: the last position is the first pixel of the next pane.
        if (p <= c && c <= p + t)
            return k;
        p += t;
    }
    return -1;
}

bool Splitview::MouseDown(int x, int y)
{
    mCurrentDivider = MouseInDivider(x, y);
    if (mCurrentDivider == -1)
        return false;
    const QWidget* a = mSubviews[mCurrentDivider - 1];
    // The distance from the divider's leading edge to the press point.
    if (mVertical)
        OffsetX = x - (a->x() + a->width());
    else
        OffsetY = y - (a->y() + a->height());
    return true;
}

void Splitview::MouseDrag(int x, int y)
{
    // Not reset between drags: a new drag's first event at the last point handled is
    // ignored as well.
    if (x == mLastX && y == mLastY)
        return;
    mLastX = x;
    mLastY = y;

    const int d = mCurrentDivider;
    const int n = static_cast<int>(mSubviews.size()) - 1;
    const int t = GetDividerThickness();
    // The divider stays between its neighbours: past the pane before A and its divider,
    // and short of the divider before the pane after B.
    const int lower = d == 1 ? 0 : position(mSubviews[d - 2]) + size(mSubviews[d - 2]) + t;
    const int upper = d == n ? (mVertical ? width() : height()) - t : position(mSubviews[d + 1]) - 2 * t;

    int v = (mVertical ? x - OffsetX : y - OffsetY);
    if (v < lower)
        v = lower;
    if (v > upper)
        v = upper;
    if (mVertical)
        AdjustSubviewsAroundDivider(v, y);
    else
        AdjustSubviewsAroundDivider(x, v);
    update();
}

void Splitview::AdjustSubviewsAroundDivider(int x, int y)
{
    QWidget* a = mSubviews[mCurrentDivider - 1];
    QWidget* b = mSubviews[mCurrentDivider];
    const int t = GetDividerThickness();
    const int c = mVertical ? x : y;

    const int total = size(a) + size(b) + t;
    int newA = c - position(a);
    int newB = total - newA - t;

    int limit = 0;
    if (MinSizeOfSubview(a, limit) && newA < limit) {
        if (canCollapse(a)) {
            recordCollapsed(a);
            newA = 0;
            newB = total - t;
        } else {
            newA = limit;
            newB = total - limit - t;
        }
    }
    // A pane held at its maximum leaves the rest to its neighbour, so the two panes
    // still fill the span between their outer edges.
    limit = 0;
    if (MaxSizeOfSubview(a, limit) && newA > limit) {
        newA = limit;
        newB = total - limit - t;
    }
    limit = 0;
    if (MinSizeOfSubview(b, limit) && newB < limit) {
        if (canCollapse(b)) {
            recordCollapsed(b);
            newB = 0;
            newA = total - t;
        } else {
            newB = limit;
            newA = total - limit - t;
        }
    }
    limit = 0;
    if (MaxSizeOfSubview(b, limit) && newB > limit) {
        newB = limit;
        newA = total - limit - t;
    }

    // Visibility follows the sizes being applied, so no pane with room stays hidden.
    a->setVisible(newA > 0);
    b->setVisible(newB > 0);

    setSize(a, newA);
    setPosition(b, position(a) + size(a) + t);
    setSize(b, newB);
}

void Splitview::MouseUp()
{
    if (!IsDoubleClick())
        return;
    QWidget* a = mSubviews[mCurrentDivider - 1];
    QWidget* b = mSubviews[mCurrentDivider];
    QWidget* target = canCollapse(a) ? a : canCollapse(b) ? b : nullptr;
    if (!target)
        return;
    if (IsSubviewCollapsed(target))
        ExpandView(target);
    else
        CollapseView(target);
    update();
}

bool Splitview::IsDoubleClick()
{
    const int32_t interval = mDoubleClickTicks();
    const int32_t elapsed = ticksBetween(mTicks(), mClickTime);
    // Only a single click renews the time, so every click within the interval of the
    // last single click is a double click: a triple click collapses and expands.
    if (!mClickTimeSet || elapsed > interval) {
        mClickTime = mTicks();
        mClickTimeSet = true;
        return false;
    }
    return true;
}

void Splitview::CollapseView(QWidget* v)
{
    const int i = static_cast<int>(mSubviews.indexOf(v));
    const int n = static_cast<int>(mSubviews.size()) - 1;
    // The last pane gives its space to the one before it, any other to the next.
    QWidget* neighbour = mSubviews[i < n ? i + 1 : i - 1];

    recordCollapsed(v);
    v->setVisible(false);
    const int sv = size(v);
    const int sN = size(neighbour);
    setSize(v, 0);
    setSize(neighbour, sv + sN);
    if (i < n)
        setPosition(neighbour, position(v) + GetDividerThickness());
}

void Splitview::ExpandView(QWidget* v)
{
    const int i = static_cast<int>(mSubviews.indexOf(v));
    const int n = static_cast<int>(mSubviews.size()) - 1;
    QWidget* neighbour = mSubviews[i < n ? i + 1 : i - 1];

    mCollapsed.remove(v);
    v->setVisible(true);
    const int total = size(v) + size(neighbour);
    int s = ExpandingView(v);
    if (s == 0)
        s = static_cast<int>(total / 2.0);
    setSize(v, s);
    setSize(neighbour, total - s);
    const int t = GetDividerThickness();
    if (i == n)
        setPosition(v, position(neighbour) + size(neighbour) + t);
    else
        setPosition(neighbour, position(v) + size(v) + t);
}

void Splitview::MouseMove(int x, int y)
{
    if (MouseInDivider(x, y) == -1)
        unsetCursor();
    else
        setCursor(mVertical ? Qt::SplitHCursor : Qt::SplitVCursor);
}

void Splitview::MouseExit()
{
    unsetCursor();
}

bool Splitview::eventFilter(QObject* watched, QEvent* event)
{
    // A pane takes the mouse, so the control never sees it move over one: the pointer
    // entering a pane is off every divider, and the pane would show the splitter cursor
    // as its own if the control kept it.
    if (event->type() == QEvent::Enter)
        MouseExit();
    return QWidget::eventFilter(watched, event);
}

void Splitview::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    mPressed = event->button() == Qt::LeftButton && MouseDown(at.x(), at.y());
    event->setAccepted(mPressed);
}

void Splitview::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (mPressed)
        MouseDrag(at.x(), at.y());
    else if (event->buttons() == Qt::NoButton)
        MouseMove(at.x(), at.y());
}

void Splitview::mouseReleaseEvent(QMouseEvent* event)
{
    if (!mPressed || event->button() != Qt::LeftButton)
        return;
    mPressed = false;
    MouseUp();
}

void Splitview::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    MouseExit();
}

void Splitview::childEvent(QChildEvent* event)
{
    QWidget::childEvent(event);
    // A pane deleted or moved elsewhere is no longer laid out.
    if (event->removed()) {
        for (QWidget* v : std::as_const(mSubviews)) {
            if (static_cast<QObject*>(v) == event->child()) {
                RemoveSubview(v);
                break;
            }
        }
    }
}
