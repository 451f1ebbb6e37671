#include "qt/application.h"

#include <QApplication>

#include "qt/dark_style.h"

namespace vildo::qt {

void setUpApplication(QApplication& app) {
    applyDarkStyle(app);
    QApplication::setApplicationName("Vildo");
}

}  // namespace vildo::qt
