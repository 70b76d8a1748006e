#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The duplicate scan over a list's positions. Rows are taken in row order; a row still
// unmarked is compared with every later unmarked row, and each one whose distance
// (DistLatLong, the earlier row first) is not greater than the threshold, or is not a
// number, is marked, and the row with it. Groups therefore grow from their first row
// only and are never joined transitively.
//
// Comparing every pair costs n² / 2 distances. Here the positions are placed as points on
// the unit sphere in a grid of cubes a little larger than the threshold's chord, so a row
// is compared only with the rows in the cubes around its own (plus every row whose
// position is not finite, whose distance is not a number), in row order: the marks are
// those of comparing every pair, at the poles, across the antimeridian and for
// thresholds of any size.
class DuplicateScan {
public:
    // Latitudes and longitudes in degrees, one pair per row; threshold in the distance's unit.
    DuplicateScan(std::vector<double> latitudes, std::vector<double> longitudes, double threshold);

    int count() const { return int(mLatitudes.size()); }

    // Scans one row; rows are to be scanned in ascending order. A marked row is passed
    // over. The rows this marks, the row itself included, are appended to `marked`.
    void scanRow(int row, std::vector<int>& marked);
    // Scans every row in turn.
    void run();

    const std::vector<uint8_t>& marks() const { return mMarked; }
    // The distances computed so far.
    int64_t distanceCalls() const { return mDistanceCalls; }

private:
    void buildGrid(double cellSize);
    void remove(int row);
    void collectCandidates(int row);

    std::vector<double> mLatitudes;
    std::vector<double> mLongitudes;
    double mThreshold;
    std::vector<uint8_t> mMarked;

    // Cube of each row with a finite position, -1 for the others.
    std::vector<int> mCellOfRow;
    // Rows of each cube in ascending order, one cube after the other.
    std::vector<int> mCellStart;
    std::vector<int> mCellRows;
    std::vector<int> mPositionOfRow;
    // The cubes next to each cube, itself included.
    std::vector<int> mNeighbourStart;
    std::vector<int> mNeighbours;
    // Rows whose position is not finite: near every row.
    std::vector<int> mOddRows;
    std::vector<int> mOddPositionOfRow;

    // Skip lists over the rows still to be compared (unmarked, not yet scanned): each
    // entry leads to the next such entry at or after it.
    std::vector<int> mNextInCells;
    std::vector<int> mNextOdd;
    std::vector<int> mNextRow;

    std::vector<int> mCandidates;
    int64_t mDistanceCalls = 0;
};
