#include "app/halvoapp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    HalvoApp halvoscope;
    return halvoscope.run();
}
