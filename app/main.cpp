#include <QApplication>

#include "ui/Application.h"
#include "ui/MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ui::SetUpApplication(app);
    ui::MainWindow window;
    window.show();
    return QApplication::exec();
}
