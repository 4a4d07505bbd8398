// The road and the people on it: the 55 stations (0 the start, 54 the destination) with their
// Japanese and romanised names and their height on the route map (a scale of 405 pixels), the
// three level names and the nine travel characters (the characters of level L are 3L, 3L + 1
// and 3L + 2). Names are shown as they stand.
#pragma once

#include <QString>
#include <array>

struct TStation {
    const char8_t* Japanese;
    const char* Romanised;
    int MapY;
};

inline constexpr int kStationCount = 55;
extern const std::array<TStation, kStationCount> kStations;

QString StationJapanese(int station);
QString StationRomanised(int station);

// The level name of a level; levels outside 0-2 read as the nearest one.
QString LevelName(int level);
QString CharacterName(int character);
