#include "boxes/BoxDoubleClick.h"

namespace vesk {
namespace {

const QString QuickViewHint = QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸでちょい見");
const QString MenuHint = QStringLiteral("右ｸﾘｯｸでｻﾌﾞﾒﾆｭｰ");

} // namespace

QString BoxDoubleClick::hint(Grid grid) const
{
    QString action = QuickViewHint;
    if (!m_quickViewOpen) {
        switch (grid) {
        case Grid::Send:
            break;
        case Grid::Receive:
            if (!m_twoMailers)
                action = QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸでメーラー起動");
            break;
        case Grid::Receive1:
            action = QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸでメーラーⅠ起動");
            break;
        case Grid::Receive2:
            action = QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸでメーラーⅡ起動");
            break;
        }
    }
    return action + QLatin1Char('\n') + MenuHint;
}

BoxDoubleClick::Action BoxDoubleClick::action(Grid grid) const
{
    if (m_quickViewOpen)
        return Action::ShowInQuickView;
    switch (grid) {
    case Grid::Send:
        return Action::OpenQuickView;
    case Grid::Receive:
        return m_twoMailers ? Action::OpenQuickView : Action::Mailer1;
    case Grid::Receive1:
        return Action::Mailer1;
    case Grid::Receive2:
        return Action::Mailer2;
    }
    return Action::OpenQuickView;
}

} // namespace vesk
