// Drawing the journey: the station marks over the route picture, the checkpoint gallery and
// the position text. Pure drawing into images, so every rule can be checked pixel by pixel.
//
// Station 0 is drawn at the right (x = 350) and each next station one step to the left, the
// step being 295 / 55 of the picture's width over 437; a mark's height comes from the
// station's map height on a scale of 405.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <functional>
#include <vector>

struct TRouteMarks {
    int ShownStation = 0;
    std::vector<int> Checkpoints;
};

// The station marks on a transparent image of the overlay's size (in logical pixels, ratio
// device pixels each).
QImage DrawStationMarks(int width, int height, const TRouteMarks& marks, qreal ratio = 1.0);

// The horizontal span of station i's mark and its vertical span (tall or short).
struct TMarkPlace {
    int Left, Right, Top, Bottom;
};
TMarkPlace StationMarkPlace(int width, int height, int station, bool tall);

// The gallery: two rows of eight places, one per checkpoint station in order, the station's
// picture shown only once it has been reached. Drawn at ratio device pixels a logical one, so
// pictures of that density stay sharp.
using TStationPicture = std::function<QImage(int station)>;
QImage DrawCheckpointGallery(int width, int height, const TRouteMarks& marks,
                             const TStationPicture& picture, const QFont& font, qreal ratio = 1.0);

// The rectangle of gallery place k (its text starts at the top left).
struct TGalleryPlace {
    int Left, Top, PictureRight, PictureBottom;
};
TGalleryPlace GalleryPlace(int width, int height, int k);

// "現在 … now … (n)" and, before the destination, a second line for the next station; empty
// for a station outside 0-54.
QString PositionText(int station);
