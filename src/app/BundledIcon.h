#pragma once

#include <QIcon>

// One of the program's own icons (resources/icons), by its name without ".svg".
QIcon BundledIcon(const QString& name);
