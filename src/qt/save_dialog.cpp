#include "qt/save_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace vildo::qt {

QString askFileToSave(QWidget* parent, const QString& title, const QStringList& filters) {
    QString chosen;
    QString file = QFileDialog::getSaveFileName(parent, title, QString(), filters.join(";;"), &chosen);
    if (file.isEmpty() || !QFileInfo(file).suffix().isEmpty()) return file;
    const QRegularExpressionMatch ending = QRegularExpression(R"(\*(\.\w+))").match(chosen);
    return ending.hasMatch() ? file + ending.captured(1) : file;
}

}  // namespace vildo::qt
