// JSON shapes shared by the commands: a move, and what the board finds in a position.
#pragma once

#include <optional>
#include <string>

#include "json_writer.h"
#include "logic/cells.h"

class TBoard;

// {"col": x, "row": y, "digit": d}, or null.
void WriteMove(TJsonWriter& json, const std::optional<TMove>& move);

// FindAnswer on the board as it stands: the move, or nothing when there is none.
std::optional<TMove> BoardAnswer(const TBoard& board);
