#pragma once

// Hand-built OV2 bytes and the library's list as plain values, for the OV2 tests.

#include "ov2/Ov2Dylib.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QtEndian>

namespace ov2test {

struct Poi {
    QByteArray description;
    double latitude = 0;
    double longitude = 0;
    bool operator==(const Poi&) const = default;
};

inline QByteArray int32le(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A record of any type with a given length field and the bytes after it.
inline QByteArray record(char type, qint32 length, const QByteArray& rest)
{
    return QByteArray(1, type) + int32le(length) + rest;
}

// A simple (type 2) or extended (type 3) POI; tail follows the description's NUL.
inline QByteArray poiRecord(qint32 latitudeUnits, qint32 longitudeUnits, const QByteArray& description,
    char type = 2, const QByteArray& tail = {})
{
    QByteArray rest = int32le(longitudeUnits) + int32le(latitudeUnits) + description + '\0' + tail;
    return record(type, 5 + rest.size(), rest);
}

// A skipper record heading a block of the given records.
inline QByteArray skipperBlock(const QByteArray& records)
{
    QByteArray box = int32le(1800000) + int32le(900000) + int32le(-1800000) + int32le(-900000);
    return record(1, 21 + records.size(), box) + records;
}

inline QByteArray deletedRecord(const QByteArray& payload)
{
    return record(0, 5 + payload.size(), payload);
}

inline QList<Poi> listedPois()
{
    QList<Poi> pois;
    for (int32_t i = 0; i < getOv2PoiCount(); ++i) {
        Poi poi;
        poi.description = getOv2Poi(i, &poi.latitude, &poi.longitude);
        pois.append(poi);
    }
    return pois;
}

inline void addPois(const QList<Poi>& pois)
{
    initOv2();
    for (const Poi& poi : pois)
        addOv2Poi(poi.description.constData(), poi.latitude, poi.longitude);
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// How Qt Test prints a POI that differs: the description percent-encoded.
inline char* toString(const Poi& poi)
{
    QByteArray text = "{\"" + poi.description.toPercentEncoding(" >") + "\", "
        + QByteArray::number(poi.latitude, 'g', 17) + ", " + QByteArray::number(poi.longitude, 'g', 17) + "}";
    return qstrdup(text.constData());
}

} // namespace ov2test

Q_DECLARE_METATYPE(ov2test::Poi)
