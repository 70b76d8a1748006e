#include "shell/Pictures.h"

#include "platform/PictureSource.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <array>
#include <memory>

namespace Pictures {
namespace {

// Cached pictures by resource number 168..194; empty until first use.
std::array<std::unique_ptr<QPixmap>, 27> gCache;

QString svgPath(int number)
{
    return QStringLiteral(":/pictures/%1.svg").arg(number);
}

// Drawn at the highest pixel ratio of the screens, so a picture stays sharp on a HiDPI
// screen; its size in layout units stays the design's.
QPixmap loadResource(int number)
{
    QSvgRenderer renderer(svgPath(number));
    if (!renderer.isValid())
        return QPixmap(QStringLiteral(":/pictures/%1.png").arg(number));
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(renderer.defaultSize() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(renderer.defaultSize())));
    return pixmap;
}

// A missing picture is kept as a null pixmap and tried again on the next call.
const QPixmap& picture(int number)
{
    std::unique_ptr<QPixmap>& slot = gCache[number - 168];
    if (!slot)
        slot = std::make_unique<QPixmap>(loadResource(number));
    else if (slot->isNull())
        *slot = loadResource(number);
    return *slot;
}

// The splash is drawn through its mask once, when first loaded.
const QPixmap& maskedSplash()
{
    std::unique_ptr<QPixmap>& slot = gCache[190 - 168];
    if (slot && !slot->isNull())
        return *slot;
    if (!slot)
        slot = std::make_unique<QPixmap>();
    *slot = loadResource(190);
    const QPixmap& mask = splash_mask();
    if (!mask.isNull() && !slot->isNull()) {
        QImage image = slot->toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage alpha = mask.toImage().convertToFormat(QImage::Format_Grayscale8);
        const int w = qMin(image.width(), alpha.width());
        const int h = qMin(image.height(), alpha.height());
        for (int y = 0; y < h; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            const uchar* opacity = alpha.constScanLine(y);
            for (int x = 0; x < w; ++x)
                line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), qAlpha(line[x]) * opacity[x] / 255);
        }
        *slot = QPixmap::fromImage(image);
    }
    return *slot;
}

}  // namespace

const QPixmap& PicSeparatorDot() { return picture(168); }
const QPixmap& TBar_Paypal() { return picture(169); }
const QPixmap& TBar_SearchDup() { return picture(170); }
const QPixmap& TBar_Clean2() { return picture(171); }
const QPixmap& TBar_GetInfo() { return picture(172); }
const QPixmap& Tbar_Updater() { return picture(173); }
const QPixmap& TBar_Open() { return picture(174); }
const QPixmap& TBar_Import() { return picture(175); }
const QPixmap& TBar_Save() { return picture(176); }
const QPixmap& TBar_ExportGoogleEarth() { return picture(177); }
const QPixmap& TBar_ExportCsv() { return picture(178); }
const QPixmap& TBar_Search() { return picture(179); }
const QPixmap& reload_map() { return picture(180); }
const QPixmap& search_map() { return picture(181); }
const QPixmap& cestino() { return picture(184); }
const QPixmap& check_unsel() { return picture(185); }
const QPixmap& check_sel() { return picture(186); }
const QPixmap& check_invert() { return picture(187); }
const QPixmap& google_maps() { return picture(188); }
const QPixmap& splash() { return maskedSplash(); }
const QPixmap& splash_mask() { return picture(191); }
const QPixmap& phone_none() { return picture(192); }
const QPixmap& phone_error() { return picture(193); }
const QPixmap& phone_ok() { return picture(194); }

QIcon Icon(const QPixmap& picture)
{
    for (size_t i = 0; i < gCache.size(); ++i)
        if (gCache[i].get() == &picture && QFile::exists(svgPath(int(168 + i))))
            return QIcon(svgPath(int(168 + i)));
    return QIcon(picture);
}

void RegisterAll()
{
    PictureSource::Register(QStringLiteral("PicSeparatorDot"), &PicSeparatorDot);
    PictureSource::Register(QStringLiteral("TBar_Paypal"), &TBar_Paypal);
    PictureSource::Register(QStringLiteral("TBar_SearchDup"), &TBar_SearchDup);
    PictureSource::Register(QStringLiteral("TBar_Clean2"), &TBar_Clean2);
    PictureSource::Register(QStringLiteral("TBar_GetInfo"), &TBar_GetInfo);
    PictureSource::Register(QStringLiteral("Tbar_Updater"), &Tbar_Updater);
    PictureSource::Register(QStringLiteral("TBar_Open"), &TBar_Open);
    PictureSource::Register(QStringLiteral("TBar_Import"), &TBar_Import);
    PictureSource::Register(QStringLiteral("TBar_Save"), &TBar_Save);
    PictureSource::Register(QStringLiteral("TBar_ExportGoogleEarth"), &TBar_ExportGoogleEarth);
    PictureSource::Register(QStringLiteral("TBar_ExportCsv"), &TBar_ExportCsv);
    PictureSource::Register(QStringLiteral("TBar_Search"), &TBar_Search);
    PictureSource::Register(QStringLiteral("reload_map"), &reload_map);
    PictureSource::Register(QStringLiteral("search_map"), &search_map);
    PictureSource::Register(QStringLiteral("cestino"), &cestino);
    PictureSource::Register(QStringLiteral("check_unsel"), &check_unsel);
    PictureSource::Register(QStringLiteral("check_sel"), &check_sel);
    PictureSource::Register(QStringLiteral("check_invert"), &check_invert);
    PictureSource::Register(QStringLiteral("google_maps"), &google_maps);
    PictureSource::Register(QStringLiteral("splash"), &splash);
    PictureSource::Register(QStringLiteral("splash_mask"), &splash_mask);
    PictureSource::Register(QStringLiteral("phone_none"), &phone_none);
    PictureSource::Register(QStringLiteral("phone_error"), &phone_error);
    PictureSource::Register(QStringLiteral("phone_ok"), &phone_ok);
    PictureSource::RegisterIconMaker(&Icon);
}

void ReleaseAll()
{
    for (auto& slot : gCache)
        slot.reset();
}

}  // namespace Pictures
