#pragma once

// The columns of a POI row in a document's list, from 0: every reader and writer of the
// rows names them here. The description's check box is the row's mark; the last three
// columns are not shown.
namespace PoiColumn {
enum Index : int { Description = 0, Latitude = 1, Longitude = 2, Id = 3, Mod = 4, Check = 5 };
inline constexpr int Count = 6;
} // namespace PoiColumn
