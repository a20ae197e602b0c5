#include "app/BundledIcon.h"

// The icons live in a static library, whose resource registration the linker would drop
// unless something refers to it.
static void RegisterIcons()
{
    Q_INIT_RESOURCE(icons);
}

QIcon BundledIcon(const QString& name)
{
    static const bool registered = (RegisterIcons(), true);
    (void)registered;
    return QIcon(QString(":/icons/%1.svg").arg(name));
}
