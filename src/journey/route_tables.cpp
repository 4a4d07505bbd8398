#include "journey/route_tables.h"

#include <algorithm>

const std::array<TStation, kStationCount> kStations = {{
    {u8"江戸日本橋", "Edo Nihonbashi", 166},
    {u8"品川", "Shinagawa", 171},
    {u8"川崎", "Kawasaki", 176},
    {u8"神奈川", "Kanagawa", 182},
    {u8"保土ヶ谷", "Hodogaya", 187},
    {u8"戸塚", "Totuka", 192},
    {u8"藤沢", "Fujisawa", 198},
    {u8"平塚", "Hiratsuka", 201},
    {u8"大磯", "Ooiso", 204},
    {u8"小田原", "Odawara", 206},
    {u8"箱根", "Hakone", 209},
    {u8"三島", "Mishima", 211},
    {u8"沼津", "Numazu", 212},
    {u8"原", "Hara", 215},
    {u8"吉原", "Yoshiwara", 216},
    {u8"蒲原", "Kanbara", 217},
    {u8"由井", "Yui", 220},
    {u8"興津", "Okitsu", 225},
    {u8"江尻", "Ejiri", 230},
    {u8"府中", "Huchu", 236},
    {u8"鞠子", "Mariko", 241},
    {u8"岡部", "Okabe", 243},
    {u8"藤枝", "Fujieda", 245},
    {u8"嶋田", "Shimada", 247},
    {u8"金谷", "Kanaya", 249},
    {u8"日坂", "Nissaka", 251},
    {u8"掛川", "Kakegawa", 253},
    {u8"袋井", "Hukuroi", 254},
    {u8"見付", "Mitsuke", 257},
    {u8"浜松", "Hamamatsu", 257},
    {u8"舞坂", "Maisaka", 257},
    {u8"新居", "Arai", 254},
    {u8"白須賀", "Shirasuka", 251},
    {u8"二川", "Hutagawa", 249},
    {u8"吉田", "Yoshida", 246},
    {u8"御油", "Goyu", 243},
    {u8"赤坂", "Akasaka", 240},
    {u8"藤川", "Fujikawa", 237},
    {u8"岡崎", "Okazaki", 234},
    {u8"池鯉鮒", "Chiryu", 232},
    {u8"鳴海", "Narumi", 229},
    {u8"宮", "Miya", 226},
    {u8"桑名", "Kuwana", 229},
    {u8"四日市", "Yokkaichi", 235},
    {u8"石薬師", "Ishiyakushi", 241},
    {u8"庄野", "Shouno", 241},
    {u8"亀山", "Kameyama", 242},
    {u8"関", "Seki", 242},
    {u8"坂之下", "Sakashita", 238},
    {u8"土山", "Tsuchiyama", 233},
    {u8"水口", "Minakuchi", 228},
    {u8"石部", "Ishibe", 224},
    {u8"草津", "Kusatsu", 219},
    {u8"大津", "Ootsu", 224},
    {u8"京都三条大橋", "Kyoto Sanjo Ohashi", 229},
}};

namespace {

const std::array<const char8_t*, 3> kLevelNames = {
    u8"ぶらり遊山の旅（初級）",
    u8"急ぎ旅（中級）",
    u8"大名行列（上級）",
};

const std::array<const char8_t*, 9> kCharacterNames = {
    u8"子連れ", u8"ご隠居", u8"姉さん", u8"隠密",   u8"商人",
    u8"虚無僧", u8"殿",     u8"助さん", u8"おりん",
};

QString FromUtf8(const char8_t* text) {
    return QString::fromUtf8(reinterpret_cast<const char*>(text));
}

}  // namespace

QString StationJapanese(int station) {
    return FromUtf8(kStations.at(static_cast<std::size_t>(station)).Japanese);
}

QString StationRomanised(int station) {
    return QString::fromLatin1(kStations.at(static_cast<std::size_t>(station)).Romanised);
}

QString LevelName(int level) {
    return FromUtf8(kLevelNames[static_cast<std::size_t>(std::clamp(level, 0, 2))]);
}

QString CharacterName(int character) {
    return FromUtf8(kCharacterNames.at(static_cast<std::size_t>(character)));
}
