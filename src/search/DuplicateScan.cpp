#include "search/DuplicateScan.h"

#include "ov2/Ov2Dylib.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
// The smallest cube edge (about 12 m on the Earth) keeps each axis of a key within 21 bits.
constexpr double kMinCellSize = 1.0 / double(1 << 19);
constexpr int64_t kBias = int64_t(1) << 20;
constexpr uint64_t kAxisMask = (uint64_t(1) << 21) - 1;
constexpr uint64_t kNoKey = ~uint64_t(0);

// The distance is periodic in each angle and brings far-off angles back to one turn
// before it uses them; the points are placed from the same angles.
double reducedDegrees(double degrees)
{
    return std::fabs(degrees) <= 360.0 ? degrees : std::remainder(degrees, 360.0);
}

uint64_t cellKey(int64_t ix, int64_t iy, int64_t iz)
{
    return (uint64_t(ix + kBias) << 42) | (uint64_t(iy + kBias) << 21) | uint64_t(iz + kBias);
}

int64_t axisOf(uint64_t key, int shift)
{
    return int64_t((key >> shift) & kAxisMask) - kBias;
}

// The edge of the cubes: the chord of the threshold on the unit sphere, with a margin far
// above the rounding of the distance, so that two points in cubes that do not touch are
// surely farther apart than the threshold.
double cellSizeFor(double threshold)
{
    // The sphere's radius in the distance's unit, from a quarter of a great circle.
    const double radius = DistLatLong(0.0, 0.0, 0.0, 90.0) / (std::numbers::pi / 2.0);
    // A threshold of half a great circle or more (or not a number) takes every pair:
    // cubes of edge 4 put every point beside every other.
    if (!(radius > 0.0) || !(threshold < std::numbers::pi * radius))
        return 4.0;
    const double chord = 2.0 * std::sin(std::max(threshold, 0.0) / radius / 2.0);
    return std::max(chord * (1.0 + 1e-6) + 1e-9, kMinCellSize);
}

// The next entry still in the skip list at or after p (path halving).
int nextAlive(std::vector<int>& next, int p)
{
    while (next[size_t(p)] != p) {
        next[size_t(p)] = next[size_t(next[size_t(p)])];
        p = next[size_t(p)];
    }
    return p;
}

// Cube numbers by key, open addressing; a key and its number share a slot, so a probe
// costs one cache line.
class CellTable {
public:
    explicit CellTable(size_t expected)
    {
        size_t capacity = 16;
        mShift = 60;
        while (capacity < expected * 2) {
            capacity *= 2;
            --mShift;
        }
        mSlots.assign(capacity, Slot{});
        mMask = capacity - 1;
        mTaken.assign(capacity / 8, 0);
    }

    // The cube's number, or `fresh` after storing it under that number.
    int findOrInsert(uint64_t key, int fresh)
    {
        size_t slot = hash(key);
        while (mSlots[slot].key != kNoKey) {
            if (mSlots[slot].key == key)
                return mSlots[slot].cell;
            slot = (slot + 1) & mMask;
        }
        mSlots[slot] = Slot{key, fresh};
        const size_t bit = takenBit(key);
        mTaken[bit / 64] |= uint64_t(1) << (bit % 64);
        return fresh;
    }

    // False for most keys that are not in the table, without looking into the table: a
    // bit per key that is small enough to stay in the cache, where the slots are not.
    bool mayHold(uint64_t key) const
    {
        const size_t bit = takenBit(key);
        return mTaken[bit / 64] >> (bit % 64) & 1;
    }

    // Starts loading the slot where a search for the key begins.
    void fetch(uint64_t key) const { __builtin_prefetch(&mSlots[hash(key)]); }

    int find(uint64_t key) const
    {
        size_t slot = hash(key);
        while (mSlots[slot].key != kNoKey) {
            if (mSlots[slot].key == key)
                return mSlots[slot].cell;
            slot = (slot + 1) & mMask;
        }
        return -1;
    }

private:
    struct Slot {
        uint64_t key = kNoKey;
        int cell = -1;
    };

    // The product's top bits, which every bit of the key reaches: the cube's three axes
    // lie in different bits of the key, and lower bits of the product miss the highest.
    size_t hash(uint64_t key) const { return size_t((key * 0x9E3779B97F4A7C15ull) >> mShift); }
    // Eight bits for each slot, set by a hash of its own.
    size_t takenBit(uint64_t key) const { return size_t((key * 0xC2B2AE3D27D4EB4Full) >> (mShift - 3)); }

    std::vector<Slot> mSlots;
    size_t mMask = 0;
    int mShift = 60;
    std::vector<uint64_t> mTaken;
};

}  // namespace

DuplicateScan::DuplicateScan(std::vector<double> latitudes, std::vector<double> longitudes, double threshold)
    : mLatitudes(std::move(latitudes)), mLongitudes(std::move(longitudes)), mThreshold(threshold)
{
    const size_t n = std::min(mLatitudes.size(), mLongitudes.size());
    mLatitudes.resize(n);
    mLongitudes.resize(n);
    mMarked.assign(n, 0);
    buildGrid(cellSizeFor(threshold));
}

void DuplicateScan::buildGrid(double cellSize)
{
    const int n = count();
    mCellOfRow.assign(size_t(n), -1);
    mPositionOfRow.assign(size_t(n), -1);
    mOddPositionOfRow.assign(size_t(n), -1);

    CellTable table{size_t(n)};
    // Each row's cube first, then the cubes into the table with the slots of rows a little
    // ahead already on their way into the cache.
    std::vector<uint64_t> keyOfRow(size_t(n), 0);
    for (int row = 0; row < n; ++row) {
        const double lat = mLatitudes[size_t(row)];
        const double lon = mLongitudes[size_t(row)];
        if (!std::isfinite(lat) || !std::isfinite(lon)) {
            mOddPositionOfRow[size_t(row)] = int(mOddRows.size());
            mOddRows.push_back(row);
            continue;
        }
        const double phi = reducedDegrees(lat) * kRadiansPerDegree;
        const double lambda = reducedDegrees(lon) * kRadiansPerDegree;
        const double x = std::cos(phi) * std::cos(lambda);
        const double y = std::cos(phi) * std::sin(lambda);
        const double z = std::sin(phi);
        keyOfRow[size_t(row)] = cellKey(int64_t(std::floor(x / cellSize)), int64_t(std::floor(y / cellSize)),
                                        int64_t(std::floor(z / cellSize)));
    }
    constexpr int kAhead = 16;
    std::vector<uint64_t> keys;
    std::vector<int> sizes;
    for (int row = 0; row < n; ++row) {
        if (row + kAhead < n)
            table.fetch(keyOfRow[size_t(row + kAhead)]);
        if (mOddPositionOfRow[size_t(row)] >= 0)
            continue;
        const uint64_t key = keyOfRow[size_t(row)];
        const int cell = table.findOrInsert(key, int(keys.size()));
        if (cell == int(keys.size())) {
            keys.push_back(key);
            sizes.push_back(0);
        }
        mCellOfRow[size_t(row)] = cell;
        ++sizes[size_t(cell)];
    }
    std::vector<uint64_t>().swap(keyOfRow);

    // Rows are dealt out in row order, so each cube's rows stay ascending.
    const size_t cells = keys.size();
    mCellStart.assign(cells + 1, 0);
    for (size_t c = 0; c < cells; ++c)
        mCellStart[c + 1] = mCellStart[c] + sizes[c];
    std::vector<int> fill(mCellStart.begin(), mCellStart.end() - 1);
    mCellRows.resize(size_t(mCellStart[cells]));
    for (int row = 0; row < n; ++row) {
        const int cell = mCellOfRow[size_t(row)];
        if (cell < 0)
            continue;
        const int position = fill[size_t(cell)]++;
        mCellRows[size_t(position)] = row;
        mPositionOfRow[size_t(row)] = position;
    }

    mNeighbourStart.assign(cells + 1, 0);
    // The 27 searches of a cube go to slots all over the table: they are started together,
    // so their cache misses overlap instead of following one another.
    uint64_t around[27];
    for (size_t c = 0; c < cells; ++c) {
        const int64_t ix = axisOf(keys[c], 42), iy = axisOf(keys[c], 21), iz = axisOf(keys[c], 0);
        int k = 0;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dz = -1; dz <= 1; ++dz)
                    around[k++] = cellKey(ix + dx, iy + dy, iz + dz);
        for (const uint64_t key : around)
            if (table.mayHold(key))
                table.fetch(key);
        for (const uint64_t key : around) {
            const int neighbour = table.mayHold(key) ? table.find(key) : -1;
            if (neighbour >= 0)
                mNeighbours.push_back(neighbour);
        }
        mNeighbourStart[c + 1] = int(mNeighbours.size());
    }

    // Each skip list ends with an entry that is never removed.
    auto identity = [](std::vector<int>& next, size_t size) {
        next.resize(size + 1);
        for (size_t i = 0; i <= size; ++i)
            next[i] = int(i);
    };
    identity(mNextInCells, mCellRows.size());
    identity(mNextOdd, mOddRows.size());
    identity(mNextRow, size_t(n));
}

void DuplicateScan::remove(int row)
{
    mNextRow[size_t(row)] = row + 1;
    const int position = mPositionOfRow[size_t(row)];
    if (position >= 0)
        mNextInCells[size_t(position)] = position + 1;
    else
        mNextOdd[size_t(mOddPositionOfRow[size_t(row)])] = mOddPositionOfRow[size_t(row)] + 1;
}

void DuplicateScan::collectCandidates(int row)
{
    mCandidates.clear();
    const int cell = mCellOfRow[size_t(row)];
    if (cell < 0) {
        // A position that is not finite is compared with every later row.
        for (int r = nextAlive(mNextRow, row + 1); r < count(); r = nextAlive(mNextRow, r + 1))
            mCandidates.push_back(r);
        return;
    }
    for (int k = mNeighbourStart[size_t(cell)]; k < mNeighbourStart[size_t(cell) + 1]; ++k) {
        const int c = mNeighbours[size_t(k)];
        const int end = mCellStart[size_t(c) + 1];
        for (int p = nextAlive(mNextInCells, mCellStart[size_t(c)]); p < end; p = nextAlive(mNextInCells, p + 1)) {
            if (mCellRows[size_t(p)] > row)
                mCandidates.push_back(mCellRows[size_t(p)]);
        }
    }
    const int odd = int(mOddRows.size());
    const int first = int(std::upper_bound(mOddRows.begin(), mOddRows.end(), row) - mOddRows.begin());
    for (int p = nextAlive(mNextOdd, first); p < odd; p = nextAlive(mNextOdd, p + 1))
        mCandidates.push_back(mOddRows[size_t(p)]);
    std::sort(mCandidates.begin(), mCandidates.end());
}

void DuplicateScan::scanRow(int row, std::vector<int>& marked)
{
    if (row < 0 || row >= count() || mMarked[size_t(row)])
        return;
    remove(row);
    collectCandidates(row);
    const double lat = mLatitudes[size_t(row)];
    const double lon = mLongitudes[size_t(row)];
    bool grouped = false;
    for (const int other : mCandidates) {
        const double distance = DistLatLong(lat, lon, mLatitudes[size_t(other)], mLongitudes[size_t(other)]);
        ++mDistanceCalls;
        // Equal counts as near, and so does a distance that is not a number.
        if (!(distance > mThreshold)) {
            mMarked[size_t(other)] = 1;
            remove(other);
            marked.push_back(other);
            grouped = true;
        }
    }
    if (grouped) {
        mMarked[size_t(row)] = 1;
        marked.push_back(row);
    }
}

void DuplicateScan::run()
{
    std::vector<int> marked;
    for (int row = 0; row < count(); ++row) {
        scanRow(row, marked);
        marked.clear();
    }
}
