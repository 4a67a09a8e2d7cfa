#include "ui/program_icon.h"

#include "res/string_table.h"
#include "ui/resource_text.h"

// A resource compiled into a static library is registered by hand, at global scope.
static void registerResources()
{
    Q_INIT_RESOURCE(corvale);
}

QIcon programIcon()
{
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
    return QIcon(resourceText(res::programIcon));
}
