#pragma once

#include "extras/slideshow/PictureArea.h"

#include <QLabel>

namespace vesk {

// ImgPop: the strip's picture area, showing the slideshow's current picture
// decoded no larger than the area allows.
class SlideshowView final : public QLabel, public PictureArea
{
    Q_OBJECT

public:
    // The largest picture the strip shows; smaller ones keep their size.
    static constexpr QSize Bound { 320, 240 };

    explicit SlideshowView(QWidget *parent = nullptr);

    bool load(const QString &path) override;
    void clear() override;

    // The picture shown, for tests.
    QString shownPath() const { return m_path; }
    QSize pictureSize() const;

private:
    QString m_path;
};

} // namespace vesk
