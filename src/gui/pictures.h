#pragma once

// The pictures drawn for this program (resources/*.svg), rendered at the size of
// the image that stretches them.

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QStyle>
#include <QString>

namespace fh {

// name: "lamp", "tap", "light-red", "light-green", "warning" or "leaf".
QPixmap picture(const QString& name, QSize size);

// The application's leaf icon, drawn at each size when asked for.
QIcon leafIcon();

// The platform's style, except that the standard icons a window makes at once but
// seldom shows (the menu bar's extension button) are drawn only when first shown:
// making them loads every image format plugin. For QApplication::setStyle.
QStyle* deferredIconStyle();

} // namespace fh
