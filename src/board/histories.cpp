#include "board/histories.h"

#include <algorithm>

THistory::THistory(int index, TCell from, TCell to, int technique)
    : digit_(static_cast<std::uint8_t>(index / 9 + 1)),
      index_(static_cast<std::uint8_t>(index)),
      toCol_(static_cast<std::int8_t>(to.Col)),
      toRow_(static_cast<std::int8_t>(to.Row)),
      fromCol_(static_cast<std::int8_t>(from.Col)),
      fromRow_(static_cast<std::int8_t>(from.Row)),
      technique_(static_cast<std::uint8_t>(technique)) {}

void THistories::Add(int index, TCell from, TCell to, int technique) {
    if (from == to) return;
    if (Count() > floater_ + 1) items_.erase(items_.begin() + (floater_ + 1), items_.end());
    items_.emplace_back(index, from, to, technique);
    SetFloater(Count() - 1);
}

void THistories::DeleteFrom(int i) {
    const int first = std::max(0, i);
    if (first < Count()) items_.erase(items_.begin() + first, items_.end());
    if (Count() <= floater_) SetFloater(Count() - 1);
}

void THistories::SetFloater(int value) {
    if (value == floater_) return;
    floater_ = value;
    if (OnFloaterChange) OnFloaterChange();
}
