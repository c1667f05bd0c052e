#pragma once

// The pictures drawn for this program (resources/*.svg), rendered at the size of
// the image that stretches them.

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace fh {

// name: "lamp", "tap", "light-red", "light-green", "warning" or "leaf".
QPixmap picture(const QString& name, QSize size);

// The application's leaf icon, drawn at each size when asked for.
QIcon leafIcon();

} // namespace fh
