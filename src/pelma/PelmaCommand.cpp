#include "pelma/PelmaCommand.h"

namespace vesk::pelma {

Command parse(const QString &text)
{
    if (text.isEmpty())
        return Command::None;
    if (text == Add)
        return Command::Add;
    if (text == Main)
        return Command::Main;
    if (text == Write)
        return Command::Write;
    if (text == PaperHide)
        return Command::PaperHide;
    if (text == Close)
        return Command::Close;
    return Command::Unknown;
}

} // namespace vesk::pelma
