#include "extras/slideshow/gui/SlideshowView.h"

#include "platform/gui/PictureDecoder.h"

#include <QPixmap>

namespace vesk {

SlideshowView::SlideshowView(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("ImgPop"));
    setAlignment(Qt::AlignCenter);
    // Clicks belong to the strip (a click stops the animation, a double
    // click starts the mailer).
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

bool SlideshowView::load(const QString &path)
{
    const QImage picture = PictureDecoder::decodeFile(path, Bound);
    if (picture.isNull())
        return false;
    setPixmap(QPixmap::fromImage(picture));
    m_path = path;
    return true;
}

void SlideshowView::clear()
{
    QLabel::clear();
    m_path.clear();
}

QSize SlideshowView::pictureSize() const
{
    return pixmap().size();
}

} // namespace vesk
