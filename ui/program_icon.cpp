#include "program_icon.h"

#include "resource_text.h"
#include "string_table.h"

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
