#include "shell/AboutDialog.h"

#include "map/MakerServer.h"
#include "platform/LockLayout.h"
#include "platform/Services.h"
#include "shell/Pictures.h"

#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

namespace {

QPointer<AboutDialog> gCurrent;

// Positions are the window's; the canvas stands at (7, 8).
QRect onCanvas(QRect windowRect)
{
    return windowRect.translated(-7, -8);
}

QLabel* canvasText(QWidget* canvas, LockLayout& locks, const QString& text, QRect windowRect, int pixelSize,
                   Qt::Alignment align, const QString& family = QString())
{
    auto* label = new QLabel(text, canvas);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    if (!family.isEmpty())
        font.setFamily(family);
    label->setFont(font);
    label->setAlignment(align | Qt::AlignVCenter);
    locks.add(label, onCanvas(windowRect), 0);
    return label;
}

}  // namespace

AboutLink::AboutLink(const QString& url, QWidget* parent)
    : QLabel(url, parent), mUrl(url)
{
    QFont f = font();
    f.setPixelSize(10);
    f.setUnderline(true);
    setFont(f);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setCursor(Qt::PointingHandCursor);
    setTextColor(QColor(0, 0, 255));
}

void AboutLink::setTextColor(const QColor& color)
{
    mColor = color;
    setStyleSheet(QStringLiteral("color: %1;").arg(color.name()));
}

void AboutLink::mousePressEvent(QMouseEvent* event)
{
    setTextColor(QColor(255, 0, 0));
    event->accept();
}

void AboutLink::mouseReleaseEvent(QMouseEvent* event)
{
    setTextColor(QColor(0, 0, 255));
    event->accept();
    Services::instance().ShowURL(mUrl);
}

AboutDialog::AboutDialog()
{
    setFixedSize(546, 350);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Lumetra 1.4.0.5"));

    Canvas1 = new QLabel(this);
    Canvas1->setGeometry(7, 8, 532, 290);
    Canvas1->setPixmap(Pictures::splash());

    // Texts wider than their places in the design (another font, another language) grow.
    auto* locks = new LockLayout(Canvas1, Canvas1->size());
    StaticText3 = canvasText(Canvas1, *locks, lkVersion() + QStringLiteral(" 1.4.0.5"), QRect(29, 257, 269, 20), 23,
                             Qt::AlignLeft, QStringLiteral("Arial"));

    StaticText7 = new AboutLink(MakerServer::WebSite(), Canvas1);
    locks->add(StaticText7, onCanvas(QRect(373, 239, 147, 20)), 0);

    BevelButton1 = new QPushButton(lkClose(), this);
    BevelButton1->setGeometry(441, 310, 91, 20);
    BevelButton1->setDefault(true);
    connect(BevelButton1, &QPushButton::clicked, this, &QDialog::accept);

    StaticText8 = canvasText(Canvas1, *locks, lkMapData(), QRect(351, 271, 169, 13), 10, Qt::AlignRight);
    StaticText9 = canvasText(Canvas1, *locks, lkCopyright(), QRect(351, 257, 169, 13), 10, Qt::AlignRight);
}

AboutDialog* AboutDialog::Current()
{
    return gCurrent;
}

void AboutDialog::ShowModal()
{
    if (gCurrent) {
        gCurrent->raise();
        return;
    }
    AboutDialog box;
    gCurrent = &box;
    Services::instance().ShowModalWithin(box, nullptr);
}

LOCALIZED_TEXT(AboutDialog, lkVersion, "")
LOCALIZED_TEXT(AboutDialog, lkClose, "")
LOCALIZED_TEXT(AboutDialog, lkCopyright, "\u00a9 2026 Lumetra developers")
LOCALIZED_TEXT(AboutDialog, lkMapData, "Map data \u00a9 OpenStreetMap contributors")
