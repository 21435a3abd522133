#pragma once

#include <QString>

namespace vesk {

// The strip's picture area (ImgPop) as the slideshow sees it: a picture is
// loaded from a path, or the area is cleared. Decoding belongs to whoever
// shows the picture.
class PictureArea
{
public:
    virtual ~PictureArea() = default;
    // False when the picture cannot be shown (damaged, not a picture).
    virtual bool load(const QString &path) = 0;
    virtual void clear() = 0;
};

} // namespace vesk
