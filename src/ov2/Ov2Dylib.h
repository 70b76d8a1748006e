/* The OV2 library: reads and writes TomTom OV2 POI files and measures the
 * distance between two positions. It keeps one list of POIs between calls.
 *
 * Descriptions cross the interface as NUL-terminated Windows Latin-1
 * (code page 1252) bytes, exactly as stored in the file; positions are
 * decimal degrees. The library is not thread-safe: call it from one thread.
 *
 * Status results: 0 on success, one of the negative OV2_ERROR_ codes below
 * otherwise; ov2LastError() then says what went wrong in words, with the
 * byte offset (counted from 0) for a malformed file.
 */
#ifndef OV2_OV2DYLIB_H
#define OV2_OV2DYLIB_H

#include <stdint.h>

#if defined(OV2_BUILDING_LIBRARY)
#define OV2_API __attribute__((visibility("default")))
#else
#define OV2_API
#endif

#define OV2_OK 0
/* A null path or description, a description too long for a record, or a
 * position that is not finite or lies beyond what a file holds (+-21474.83647). */
#define OV2_ERROR_ARGUMENT (-1)
/* The file cannot be opened for reading, or is not a regular file. */
#define OV2_ERROR_OPEN (-2)
/* Reading the file failed part way. */
#define OV2_ERROR_READ (-3)
/* Malformed file: a record type other than 0, 1, 2 or 3. */
#define OV2_ERROR_RECORD_TYPE (-4)
/* Malformed file: a record, or the block a skipper record heads, runs past the end. */
#define OV2_ERROR_TRUNCATED (-5)
/* Malformed file: a record length too small for its type. */
#define OV2_ERROR_LENGTH (-6)
/* Malformed file: a description without its NUL inside its record. */
#define OV2_ERROR_UNTERMINATED (-7)
/* The file could not be written, flushed or put in place; the file that was
 * there is unchanged. */
#define OV2_ERROR_WRITE (-8)
/* writeOv2 refuses: an addOv2Poi was refused since the list was last emptied
 * or replaced (initOv2, deInitOv2, readOv2), so the file would lack that POI. */
#define OV2_ERROR_INCOMPLETE (-9)
/* Not enough memory. */
#define OV2_ERROR_NO_MEMORY (-10)
/* The list already holds INT32_MAX POIs. */
#define OV2_ERROR_LIMIT (-11)

#ifdef __cplusplus
extern "C" {
#endif

/* Empties the list and releases its memory. Returns OV2_OK. */
OV2_API int32_t initOv2(void);

/* Replaces the list by the POIs of the file at this POSIX path, in file order.
 * On any error the list is left empty. */
OV2_API int32_t readOv2(const char* path);

/* The number of POIs in the list. */
OV2_API int32_t getOv2PoiCount(void);

/* The description of POI index (from 0) and its position through the two
 * pointers (either may be null). The text belongs to the library and stays
 * valid until the next call that changes the list. An index out of range
 * gives an empty text and both positions 0. */
OV2_API const char* getOv2Poi(int32_t index, double* latitude, double* longitude);

/* One POI as getOv2Pois hands it over; the text belongs to the library, as
 * getOv2Poi's does. */
typedef struct Ov2PoiRef {
    const char* description;
    int32_t length; /* bytes before the NUL */
    double latitude;
    double longitude;
} Ov2PoiRef;

/* Many POIs in one call: up to count of them from index first on, into out.
 * Returns how many were filled; 0 when first is out of range or count < 1. */
OV2_API int32_t getOv2Pois(int32_t first, int32_t count, Ov2PoiRef* out);

/* Empties the list and releases its memory. Returns OV2_OK. */
OV2_API int32_t deInitOv2(void);

/* What readOv2Each hands over: the next count POIs of the total the file holds. The
 * texts point into the file and stay valid during the call only. Returns 0 to go on;
 * anything else stops the reading, which then still succeeds. */
typedef int32_t (*Ov2PoiVisitor)(void* context, int32_t total, const Ov2PoiRef* pois, int32_t count);

/* Hands the POIs of the file at this path to visit, in file order and in blocks, without
 * keeping them: for a file too large to hold twice. The library's list is neither used
 * nor changed. The whole file is checked first: on any error visit is never called. */
OV2_API int32_t readOv2Each(const char* path, Ov2PoiVisitor visit, void* context);

/* What writeOv2Each asks for: up to capacity POIs from index first on, into out.
 * Returns how many it gave; fewer than capacity ends the list. Each text must stay
 * valid until the next call and hold its length in bytes, none of them a NUL. */
typedef int32_t (*Ov2PoiSource)(void* context, int32_t first, Ov2PoiRef* out, int32_t capacity);

/* Writes the POIs that source gives as writeOv2 writes its list, without keeping them:
 * for a list too large to hold twice. The library's list is neither used nor changed.
 * A POI that addOv2Poi would refuse stops the write with OV2_ERROR_ARGUMENT, and the
 * file that was there stays. */
OV2_API int32_t writeOv2Each(const char* path, Ov2PoiSource source, void* context);

/* Appends one POI. A refused POI is not added, and writeOv2 then fails with
 * OV2_ERROR_INCOMPLETE until the list is emptied or replaced. */
OV2_API int32_t addOv2Poi(const char* description, double latitude, double longitude);

/* Writes the list to the file at this path, one simple record per POI in list
 * order, positions rounded to the nearest 1/100000 degree. The file is written
 * beside the target and moved over it only once every byte is on disk, so a
 * failure leaves the file that was there untouched. */
OV2_API int32_t writeOv2(const char* path);

/* Great-circle distance in kilometres (haversine, mean Earth radius
 * 6371.0088 km); symmetric, 0 for equal positions, never NaN for finite input. */
OV2_API double DistLatLong(double lat1, double lon1, double lat2, double lon2);

/* What the last failed status call went wrong with; empty after a call that
 * succeeded. */
OV2_API const char* ov2LastError(void);

/* For a malformed file, the byte offset (counted from 0) of the record that the
 * last failed status call stopped at; -1 after any other result. Lets a caller
 * word the reason in its own language. */
OV2_API int64_t ov2LastErrorOffset(void);

#ifdef __cplusplus
}
#endif

#endif
