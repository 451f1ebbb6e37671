// The save dialog of the window's exports: a file name with the chosen type's ending.
#pragma once
#include <QString>
#include <QStringList>

class QWidget;

namespace vildo::qt {

// Asks where to save; filters such as "PNG-bild (*.png)". A name without an ending gets the chosen filter's.
// Empty when cancelled.
QString askFileToSave(QWidget* parent, const QString& title, const QStringList& filters);

}  // namespace vildo::qt
