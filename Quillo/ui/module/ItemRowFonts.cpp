#include "ui/module/ItemRowFonts.h"

#include "ui/design/Typography.h"

namespace ItemRowFonts {

const QFont& name()
{
    static const QFont font = Typography::font(13.5, FontWeight::bold);
    return font;
}

const QFont& subtitle()
{
    return Typography::caption();
}

const QFont& size()
{
    static const QFont font = Typography::font(13.5, FontWeight::heavy);
    return font;
}

} // namespace ItemRowFonts
