#pragma once

#include <QIcon>

// Icon 128, compiled into this library as a resource: the windows' icon and the about box's.
QIcon programIcon();
