// Positions as text: 81 characters, row by row (index = col + 9 x row), "0" for an empty cell and
// "1"-"9" for a digit. This is the form of the stored templates and of the tools' input.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "logic/matrix.h"

// The matrix of a position text: a fresh matrix with each given placed in index order. Nothing
// when the text is not 81 characters "0"-"9"; then `error` says what is wrong, counting UTF-8
// characters (a byte outside any well-formed sequence counts as one).
std::optional<TMatrix> MatrixFromText(std::string_view text, std::string& error);

// The values of a matrix as a position text.
std::string PositionText(const TMatrix& matrix);
