#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures, each loaded from the resources on its first use and then
// shared: every call of an accessor returns the same object.
namespace Pictures {
const QPixmap& PicSeparatorDot();
const QPixmap& TBar_Paypal();
const QPixmap& TBar_SearchDup();
const QPixmap& TBar_Clean2();
const QPixmap& TBar_GetInfo();
const QPixmap& Tbar_Updater();
const QPixmap& TBar_Open();
const QPixmap& TBar_Import();
const QPixmap& TBar_Save();
const QPixmap& TBar_ExportGoogleEarth();
const QPixmap& TBar_ExportCsv();
const QPixmap& TBar_Search();
const QPixmap& reload_map();
const QPixmap& search_map();
const QPixmap& cestino();
const QPixmap& check_unsel();
const QPixmap& check_sel();
const QPixmap& check_invert();
const QPixmap& google_maps();
const QPixmap& splash();
const QPixmap& splash_mask();
const QPixmap& phone_none();
const QPixmap& phone_error();
const QPixmap& phone_ok();

// The picture as an icon drawn from its vector source at whatever size and pixel ratio a
// button or toolbar asks for; a picture of no accessor becomes a plain icon.
QIcon Icon(const QPixmap& picture);

// Makes every picture above, and its icons, known to the platform's picture source
// under its name.
void RegisterAll();

// Releases every cached picture; called once at shutdown, before the application object goes.
void ReleaseAll();
}  // namespace Pictures
