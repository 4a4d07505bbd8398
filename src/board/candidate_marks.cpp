#include "board/candidate_marks.h"

#include <string>

std::vector<TCandidateMark> CandidateMarks(const TMatrix& matrix, int d) {
    std::vector<TCandidateMark> marks;
    if (d < 1 || d > 9) return marks;
    for (int row = 0; row < 9; ++row) {
        for (int col = 0; col < 9; ++col) {
            if (matrix.GetValue(col, row) == 0 && matrix.HasCandidate(col, row, d))
                marks.push_back({{col, row}, TMarkColour::Blue});
        }
    }

    TCell placed;
    TCellList places;
    constexpr TMarkColour kByCount[] = {TMarkColour::Red, TMarkColour::Maroon, TMarkColour::Green};
    for (int by = 0; by < 3; ++by) {
        for (int bx = 0; bx < 3; ++bx) {
            if (matrix.ScanBox(bx, by, d, placed, places)) continue;
            if (places.Count() < 1 || places.Count() > 3) continue;
            for (const TCell cell : places)
                marks.push_back({cell, kByCount[places.Count() - 1]});
        }
    }
    for (int row = 0; row < 9; ++row) {
        if (!matrix.ScanRow(row, d, placed, places) && places.Count() == 1)
            marks.push_back({places[0], TMarkColour::Red});
    }
    for (int col = 0; col < 9; ++col) {
        if (!matrix.ScanColumn(col, d, placed, places) && places.Count() == 1)
            marks.push_back({places[0], TMarkColour::Red});
    }
    const std::string only(1, static_cast<char>('0' + d));
    for (int row = 0; row < 9; ++row) {
        for (int col = 0; col < 9; ++col) {
            if (matrix.CandidateText(col, row) == only)
                marks.push_back({{col, row}, TMarkColour::Red});
        }
    }
    return marks;
}
